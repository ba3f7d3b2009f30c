// The piece style kept in window.ini as [view] pieces=kanji2, kanji1 or international, beside
// the window's size and place.
#pragma once

#include "pieces/PieceStyle.h"

#include <QString>

namespace kelvore::qt {

// The style kept; kanji2 when the file is missing, not a regular file, too large, or holds no
// key or a value that names no style.
pieces::Style readPieceStyle(const QString& path);
// Keeps the style, leaving the file's other settings alone. False when it could not be written.
bool writePieceStyle(const QString& path, pieces::Style style);

} // namespace kelvore::qt
