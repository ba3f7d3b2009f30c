// The game's pictures, drawn in code: both sides' pieces with both faces, the empty square,
// the title picture and the five background tiles. Each is painted into a rectangle given in
// device pixels, so it stays sharp at every window size.
#pragma once

#include "pieces/PieceStyle.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QSizeF>

namespace kelvore::qt {

// The 16-colour palette the game's colour indices refer to.
QColor paletteColor(int index);

// The size of a picture in window units (twips); an empty size for codes without a picture.
QSizeF pictureSize(int code);

// Paints picture `code` filling `target`. `origin` is the picture's top-left corner in twips
// and `pixelsPerTwip` the scale, so that background patterns line up across tiles.
void paintPicture(QPainter& painter, int code, const QRectF& target, QPointF origin,
                  double pixelsPerTwip);

// How the pieces are painted from now on, for the whole program; kanji2 until chosen.
void setPieceStyle(pieces::Style style);
pieces::Style pieceStyle();

// The program's icon: a piece bearing 象, as on the title picture.
void paintIcon(QPainter& painter, const QRectF& target);

// Fonts with Japanese glyph forms, whatever the locale.
QFont japaneseFont();
QFont brushFont();

} // namespace kelvore::qt
