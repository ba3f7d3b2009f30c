// The program's icon in the sizes a desktop asks for: square pictures for the hicolor theme
// and a scalable copy, all painted by the same code as the title picture.
#pragma once

#include <QImage>
#include <QString>

namespace kelvore::icons {

// The pixel sizes installed under hicolor/<n>x<n>/apps.
inline constexpr int kIconSizes[] = {48, 64, 128, 256};

// The icon as a square picture of `size` pixels, transparent around the piece.
QImage renderIcon(int size);

// Writes the icon as SVG to `path`; false when the file cannot be written.
bool writeIconSvg(const QString& path);

// Writes hicolor/<n>x<n>/apps/kelvore.png for each size and hicolor/scalable/apps/kelvore.svg
// below `folder`. Returns an empty string, or what could not be written.
QString exportIconTheme(const QString& folder);

} // namespace kelvore::icons
