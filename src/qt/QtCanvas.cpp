#include "QtCanvas.h"

#include "Pictures.h"

#include <QDebug>
#include <QFontMetricsF>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>

namespace kelvore::qt {

namespace {

// How far, in twips, an outline's bars and the anti-aliased edge of a text may reach beyond
// the call's own rectangle: two pixels at the base scale of 15 twips a pixel, one at the
// smallest (the board view is never smaller than 300 x 267 pixels).
constexpr double kReach = 30;

constexpr double kBoardLeft = screen::kBoardLeft, kBoardTop = screen::kBoardTop;

// The smallest rectangle of whole twips holding `r`, and the largest held by it.
QRect outward(const QRectF& r) {
    return QRect(
        QPoint(static_cast<int>(std::floor(r.left())), static_cast<int>(std::floor(r.top()))),
        QPoint(static_cast<int>(std::ceil(r.right())) - 1,
               static_cast<int>(std::ceil(r.bottom())) - 1));
}

QRect inward(const QRectF& r) {
    return QRect(
        QPoint(static_cast<int>(std::ceil(r.left())), static_cast<int>(std::ceil(r.top()))),
        QPoint(static_cast<int>(std::floor(r.right())) - 1,
               static_cast<int>(std::floor(r.bottom())) - 1));
}

// A rectangle in device pixels with its edges on whole pixels; neighbouring grid cells share
// their edges exactly, at every scale.
QRect snap(const QRectF& device) {
    const int l = static_cast<int>(std::floor(device.left()));
    const int t = static_cast<int>(std::floor(device.top()));
    const int r = static_cast<int>(std::floor(device.right()));
    const int b = static_cast<int>(std::floor(device.bottom()));
    return {l, t, r - l, b - t};
}

} // namespace

void QtCanvas::fillWindow(int colour) {
    ops_.clear();
    add({Kind::Fill, colour, QRectF(0, 0, kWidth, kHeight), {}, {}, 0, false});
}

void QtCanvas::drawPicture(int code, double x, double y) {
    const QSizeF size = pictureSize(code);
    if (size.isEmpty()) return;
    add({Kind::Picture, code, QRectF(QPointF(x, y), size), {}, {}, 0, false});
}

void QtCanvas::drawOutline(int colour, double x1, double y1, double x2, double y2) {
    add({Kind::Outline,
         colour,
         QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized(),
         {},
         0,
         false});
}

void QtCanvas::drawText(std::string_view text, double x, double y, int colour, int pointSize,
                        bool bold) {
    if (text.empty() || pointSize <= 0) return;
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QRectF ink = textBounds(s, x, y, pointSize, bold);
    if (ink.isEmpty()) return; // blanks only: nothing to see
    add({Kind::Text, colour, ink, QPointF(x, y), s, pointSize, bold});
}

double QtCanvas::textWidth(std::string_view text, int pointSize, bool bold) {
    if (text.empty() || pointSize <= 0) return 0;
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return std::max(0.0, textBounds(s, 0, 0, pointSize, bold).right());
}

// The ink of a text printed with its top-left corner at (x, y), measured with the font at one
// pixel per twip. At other scales the font's size is rounded to whole pixels, which moves the
// ink towards or away from (x, y) by a little: each edge is taken at its farthest.
QRectF QtCanvas::textBounds(const QString& text, double x, double y, int pointSize, bool bold) {
    QFont f = japaneseFont();
    f.setBold(bold);
    f.setPixelSize(pointSize * 20);
    const QFontMetricsF fm(f);
    const QString shown = QString(text).replace(QLatin1Char('\r'), QLatin1Char(' '));
    // Leading blanks (the sign place of a number) only move the ink to the right.
    qsizetype blanks = 0;
    while (blanks < shown.size() && shown[blanks].isSpace()) ++blanks;
    const QString inked = shown.mid(blanks);
    const QRectF ink = fm.tightBoundingRect(inked).translated(
        fm.horizontalAdvance(shown.left(blanks)), fm.ascent());
    if (ink.isEmpty()) return {};
    constexpr double e = 0.1;
    auto low = [](double d) { return std::min(d * (1 - e), d * (1 + e)); };
    auto high = [](double d) { return std::max(d * (1 - e), d * (1 + e)); };
    return QRectF(QPointF(x + low(ink.left()), y + low(ink.top())),
                  QPointF(x + high(ink.right()), y + high(ink.bottom())));
}

void QtCanvas::refresh() {
    if (onChanged) onChanged();
}

QPointF QtCanvas::toTwips(QPointF device) const {
    return (device - origin_) / scale_;
}

QRectF QtCanvas::toDevice(const QRectF& t) const {
    return {origin_ + t.topLeft() * scale_, t.size() * scale_};
}

int QtCanvas::outlineWidth() const {
    return std::max(1, static_cast<int>(std::lround(kSquareWidth / 20 * scale_)));
}

// Where a call may leave pixels, in twips.
QRectF QtCanvas::reach(const Op& op) {
    if (op.kind == Kind::Outline || op.kind == Kind::Text)
        return op.rect.adjusted(-kReach, -kReach, kReach, kReach);
    return op.rect;
}

void QtCanvas::add(Op op) {
    const int code = background ? background() : 2;
    if (code != marginCode_ && !image_.isNull()) paintMargins(code, true);
    marginCode_ = code;

    dropHidden(op);
    ops_.push_back(std::move(op));
    if (!image_.isNull()) {
        QPainter p(&image_);
        paint(p, ops_.back());
    }
    if (ops_.size() >= sweepAt_) sweep();
    if (onChanged) onChanged();
}

// Drops the calls the new one paints over completely: whatever lies inside a picture, an
// earlier outline of the same square, the same text printed again in the same place.
void QtCanvas::dropHidden(const Op& op) {
    switch (op.kind) {
    case Kind::Fill:
    case Kind::Picture:
        std::erase_if(ops_, [&](const Op& o) { return op.rect.contains(reach(o)); });
        break;
    case Kind::Outline:
        std::erase_if(ops_,
                      [&](const Op& o) { return o.kind == Kind::Outline && o.rect == op.rect; });
        break;
    case Kind::Text:
        std::erase_if(ops_, [&](const Op& o) {
            return o.kind == Kind::Text && o.at == op.at && o.value == op.value &&
                   o.pointSize == op.pointSize && o.bold == op.bold && o.text == op.text;
        });
        break;
    }
}

// Drops every call whose reach the later pictures cover together.
void QtCanvas::sweep() {
    QRegion covered;
    std::vector<Op> kept;
    kept.reserve(ops_.size());
    for (auto it = ops_.rbegin(); it != ops_.rend(); ++it) {
        const QRect r = outward(reach(*it));
        if (!covered.isEmpty() && QRegion(r).subtracted(covered).isEmpty()) continue;
        if (it->kind == Kind::Picture || it->kind == Kind::Fill) covered += inward(it->rect);
        kept.push_back(std::move(*it));
    }
    std::reverse(kept.begin(), kept.end());
    ops_ = std::move(kept);
    sweepAt_ = std::max(kMinSweep, ops_.size() * 2);
}

void QtCanvas::resize(int pixelWidth, int pixelHeight, int reservedRight) {
    if (pixelWidth <= 0 || pixelHeight <= 0) return;
    // The game's window keeps at least 300 pixels: one pixel is never more than 30 twips.
    reservedRight_ = std::clamp(reservedRight, 0, std::max(0, pixelWidth - 300));
    const int gameWidth = pixelWidth - reservedRight_;
    scale_ = std::min(gameWidth / kWidth, pixelHeight / kHeight);
    origin_ = QPointF(std::round((gameWidth - kWidth * scale_) / 2),
                      std::round((pixelHeight - kHeight * scale_) / 2));
    image_ = QImage(pixelWidth, pixelHeight, QImage::Format_RGB32);
    image_.fill(paletteColor(2));
    marginCode_ = background ? background() : 2;
    paintMargins(marginCode_, false);
    for (const Op& op : ops_) {
        QPainter p(&image_);
        paint(p, op);
    }
}

// Tiles the image outside the game's window with the picture `code`, laid on the game's grid
// so that it continues the background the game draws; with `withCalls`, paints again the calls
// that reach into the margins.
void QtCanvas::paintMargins(int code, bool withCalls) {
    const QRect all = image_.rect();
    const QRect window = snap(toDevice({0, 0, kWidth, kHeight})).intersected(all);
    const QRegion margins = QRegion(all).subtracted(window);
    if (margins.isEmpty()) return;
    QPainter p(&image_);
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRegion(margins);
    const QRectF twips(toTwips(all.topLeft()), toTwips(QPointF(all.right() + 1, all.bottom() + 1)));
    const bool tiled = code == 0 || (code >= 2 && code <= 6);
    if (!tiled) p.fillRect(all, paletteColor(2));
    const int c0 = static_cast<int>(std::floor((twips.left() - kBoardLeft) / kSquareWidth));
    const int c1 = static_cast<int>(std::floor((twips.right() - kBoardLeft) / kSquareWidth));
    const int r0 = static_cast<int>(std::floor((twips.top() - kBoardTop) / kSquareHeight));
    const int r1 = static_cast<int>(std::floor((twips.bottom() - kBoardTop) / kSquareHeight));
    for (int c = c0; tiled && c <= c1; ++c)
        for (int r = r0; r <= r1; ++r) {
            const QRectF cell(kBoardLeft + c * kSquareWidth, kBoardTop + r * kSquareHeight,
                              kSquareWidth, kSquareHeight);
            const QRect device = snap(toDevice(cell));
            if (!margins.intersects(device)) continue;
            p.save();
            p.setClipRect(device, Qt::IntersectClip);
            paintPicture(p, code, device, cell.topLeft(), scale_);
            p.restore();
        }
    if (!withCalls) return;
    for (const Op& op : ops_)
        if (margins.intersects(snap(toDevice(reach(op))))) paint(p, op);
}

// Four bars centred on the cell's edges, so that the outlines of neighbouring squares fall on
// the same pixels.
void QtCanvas::paintOutline(QPainter& p, const QRectF& twips, const QColor& colour) const {
    const QRect cell = snap(toDevice(twips));
    const int w = outlineWidth(), a = w / 2;
    const int l = cell.left() - a, t = cell.top() - a;
    const int r = cell.left() + cell.width() - a, b = cell.top() + cell.height() - a;
    p.fillRect(QRect(l, t, r + w - l, w), colour);
    p.fillRect(QRect(l, b, r + w - l, w), colour);
    p.fillRect(QRect(l, t, w, b + w - t), colour);
    p.fillRect(QRect(r, t, w, b + w - t), colour);
}

void QtCanvas::paint(QPainter& p, const Op& op) const {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double s = scale_;
    const QRectF device = toDevice(op.rect);
    switch (op.kind) {
    case Kind::Fill: p.fillRect(snap(device), paletteColor(op.value)); break;
    case Kind::Picture: {
        // A picture never paints outside its own rectangle.
        const QRect r = snap(device);
        p.setClipRect(r, Qt::IntersectClip);
        paintPicture(p, op.value, r, op.rect.topLeft(), s);
        break;
    }
    case Kind::Outline: paintOutline(p, op.rect, paletteColor(op.value)); break;
    case Kind::Text: {
        QFont f = japaneseFont();
        f.setBold(op.bold);
        f.setPixelSize(std::max(1, static_cast<int>(std::lround(op.pointSize * 20 * s))));
        p.setFont(f);
        p.setPen(paletteColor(op.value));
        const QFontMetricsF fm(f);
        const QString text = QString(op.text).replace(QLatin1Char('\r'), QLatin1Char(' '));
        const QPointF at = origin_ + op.at * s;
        p.drawText(QPointF(at.x(), at.y() + fm.ascent()), text);
        break;
    }
    }
    p.restore();
}

QStringList QtCanvas::texts() const {
    QStringList out;
    for (const Op& op : ops_)
        if (op.kind == Kind::Text) out << op.text;
    return out;
}

} // namespace kelvore::qt
