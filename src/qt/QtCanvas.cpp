#include "QtCanvas.h"

#include "Pictures.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>

namespace kelvore::qt {

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
    add({Kind::Outline, colour, QRectF(QPointF(x1, y1), QPointF(x2, y2)), {}, 0, false});
}

void QtCanvas::drawText(std::string_view text, double x, double y, int colour, int pointSize,
                        bool bold) {
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    // Generous bounds: full-width characters one em wide, one and a half ems high.
    const double em = pointSize * 20.0;
    add({Kind::Text, colour, QRectF(x, y, em * (s.size() + 1), em * 1.6), s, pointSize, bold});
}

void QtCanvas::refresh() {
    if (onChanged) onChanged();
}

void QtCanvas::add(Op op) {
    ops_.push_back(std::move(op));
    if (!image_.isNull()) paint(ops_.back());
    if (ops_.size() > compactAt_) {
        compact();
        compactAt_ = std::max<std::size_t>(4000, ops_.size() * 2);
    }
    if (onChanged) onChanged();
}

void QtCanvas::resize(int pixelWidth, int pixelHeight) {
    if (pixelWidth <= 0 || pixelHeight <= 0) return;
    scale_ = std::min(pixelWidth / kWidth, pixelHeight / kHeight);
    image_ =
        QImage(std::max(1, static_cast<int>(std::ceil(kWidth * scale_))),
               std::max(1, static_cast<int>(std::ceil(kHeight * scale_))), QImage::Format_RGB32);
    image_.fill(Qt::black);
    for (const Op& op : ops_) paint(op);
}

void QtCanvas::paint(const Op& op) {
    QPainter p(&image_);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double s = scale_;
    const QRectF device(op.rect.left() * s, op.rect.top() * s, op.rect.width() * s,
                        op.rect.height() * s);
    switch (op.kind) {
    case Kind::Fill: p.fillRect(device, paletteColor(op.value)); break;
    case Kind::Picture: {
        // Snap to whole pixels so that neighbouring cells meet without seams.
        const QRectF snapped(QPointF(std::floor(device.left()), std::floor(device.top())),
                             QPointF(std::floor(device.right()), std::floor(device.bottom())));
        paintPicture(p, op.value, snapped, op.rect.topLeft(), s);
        break;
    }
    case Kind::Outline: {
        p.setRenderHint(QPainter::Antialiasing, false);
        const double w = std::max(1.0, std::round(s * 15));
        p.setPen(QPen(paletteColor(op.value), w, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(QPointF(std::floor(device.left()), std::floor(device.top())),
                          QPointF(std::floor(device.right()), std::floor(device.bottom()))));
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
}

// Drops every call whose area later pictures cover completely.
void QtCanvas::compact() {
    QRegion covered;
    std::vector<Op> kept;
    kept.reserve(ops_.size());
    for (auto it = ops_.rbegin(); it != ops_.rend(); ++it) {
        const QRect r = it->rect.adjusted(-20, -20, 20, 20).toAlignedRect();
        if (it->kind != Kind::Fill && covered.contains(r) &&
            QRegion(r).subtracted(covered).isEmpty())
            continue;
        kept.push_back(*it);
        if (it->kind == Kind::Picture || it->kind == Kind::Fill)
            covered += it->rect.toAlignedRect().adjusted(1, 1, -1, -1);
    }
    std::reverse(kept.begin(), kept.end());
    ops_ = std::move(kept);
}

} // namespace kelvore::qt
