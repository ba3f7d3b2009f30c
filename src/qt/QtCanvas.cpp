#include "QtCanvas.h"

#include "Pictures.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>

namespace kelvore::qt {

namespace {

// How far, in twips, strokes, anti-aliased text and the snapping of pictures to whole pixels
// may reach beyond a call's own rectangle. One pixel is at most 30 twips: the board view is
// never smaller than 300 x 267 pixels.
constexpr double kReach = 60;

constexpr double kBoardLeft = 1050, kBoardTop = 100, kSquareHeight = 615;

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
    add({Kind::Fill, colour, QRectF(0, 0, kWidth, kHeight), {}, 0, false});
}

void QtCanvas::drawPicture(int code, double x, double y) {
    const QSizeF size = pictureSize(code);
    if (size.isEmpty()) return;
    add({Kind::Picture, code, QRectF(QPointF(x, y), size), {}, 0, false});
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
    // Generous bounds: full-width characters one em wide, one and a half ems high.
    const double em = pointSize * 20.0;
    add({Kind::Text, colour, QRectF(x, y, em * (s.size() + 1), em * 1.6), s, pointSize, bold});
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
    if (code != marginCode_ && !image_.isNull()) paintMargins(code);
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
            return o.kind == Kind::Text && o.rect == op.rect && o.value == op.value &&
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

void QtCanvas::resize(int pixelWidth, int pixelHeight) {
    if (pixelWidth <= 0 || pixelHeight <= 0) return;
    scale_ = std::min(pixelWidth / kWidth, pixelHeight / kHeight);
    origin_ = QPointF(std::round((pixelWidth - kWidth * scale_) / 2),
                      std::round((pixelHeight - kHeight * scale_) / 2));
    image_ = QImage(pixelWidth, pixelHeight, QImage::Format_RGB32);
    marginCode_ = background ? background() : 2;
    paintMargins(marginCode_);
    QPainter p(&image_);
    for (const Op& op : ops_) paint(p, op);
}

// Tiles the image outside the game's window with the picture `code`, laid on the game's grid
// so that it continues the background the game draws, then paints again the calls that reach
// into the margins.
void QtCanvas::paintMargins(int code) {
    const QRect all = image_.rect();
    const QRect window = snap(toDevice({0, 0, kWidth, kHeight})).intersected(all);
    const QRegion margins = QRegion(all).subtracted(window);
    if (margins.isEmpty()) return;
    QPainter p(&image_);
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
            paintPicture(p, code, device, cell.topLeft(), scale_);
            p.restore();
        }
    for (const Op& op : ops_)
        if (margins.intersects(snap(toDevice(reach(op))))) paint(p, op);
}

void QtCanvas::paint(QPainter& p, const Op& op) const {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double s = scale_;
    const QRectF device = toDevice(op.rect);
    switch (op.kind) {
    case Kind::Fill: p.fillRect(snap(device), paletteColor(op.value)); break;
    case Kind::Picture: paintPicture(p, op.value, snap(device), op.rect.topLeft(), s); break;
    case Kind::Outline: {
        // Four bars centred on the cell's edges, so that the outlines of neighbouring squares
        // fall on the same pixels.
        const QRect cell = snap(device);
        const int w = outlineWidth(), a = w / 2;
        const int l = cell.left() - a, t = cell.top() - a;
        const int r = cell.left() + cell.width() - a, b = cell.top() + cell.height() - a;
        const QColor colour = paletteColor(op.value);
        p.fillRect(QRect(l, t, r + w - l, w), colour);
        p.fillRect(QRect(l, b, r + w - l, w), colour);
        p.fillRect(QRect(l, t, w, b + w - t), colour);
        p.fillRect(QRect(r, t, w, b + w - t), colour);
        break;
    }
    case Kind::Text: {
        QFont f = japaneseFont();
        f.setBold(op.bold);
        f.setPixelSize(std::max(1, static_cast<int>(std::lround(op.pointSize * 20 * s))));
        p.setFont(f);
        p.setPen(paletteColor(op.value));
        const QFontMetricsF fm(f);
        const QString text = QString(op.text).replace(QLatin1Char('\r'), QLatin1Char(' '));
        p.drawText(QPointF(device.left(), device.top() + fm.ascent()), text);
        break;
    }
    }
    p.restore();
}

} // namespace kelvore::qt
