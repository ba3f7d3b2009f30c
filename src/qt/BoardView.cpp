#include "BoardView.h"

#include "Pictures.h"
#include "screen/Grid.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace kelvore::qt {

BoardView::BoardView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // One pixel is never more than 30 twips, which the canvas's reckoning of what is hidden
    // relies on.
    setMinimumSize(300, 267);
    canvas_.onChanged = [this] { update(); };
}

double BoardView::scale() const {
    return canvas_.pixelsPerTwip() / devicePixelRatioF();
}

QPointF BoardView::toTwips(QPointF pos) const {
    return canvas_.toTwips(pos * devicePixelRatioF());
}

QRect BoardView::fromTwips(const QRectF& t) const {
    const double dpr = devicePixelRatioF();
    const QRectF d = canvas_.toDevice(t);
    return QRectF(d.topLeft() / dpr, d.size() / dpr).toRect();
}

QRectF BoardView::cell(int col, int row) {
    return {double(screen::kBoardLeft) + col * screen::kSquareWidth,
            double(screen::kBoardTop) + row * screen::kSquareHeight, double(screen::kSquareWidth),
            double(screen::kSquareHeight)};
}

void BoardView::fitCanvas() {
    const double dpr = devicePixelRatioF();
    const int w = static_cast<int>(std::lround(width() * dpr));
    const int h = static_cast<int>(std::lround(height() * dpr));
    const int reserve = static_cast<int>(std::lround(sideWidth() * dpr));
    if (canvas_.image().width() != w || canvas_.image().height() != h || reserve != reserveAsked_) {
        reserveAsked_ = reserve;
        canvas_.resize(w, h, reserve);
        emit scaled();
    }
    if (side_ && !side_->isHidden()) {
        // The panel stands in the strip kept free for it, framed by the background.
        const int r = static_cast<int>(std::lround(canvas_.reservedRight() / dpr));
        const int gap = std::max(3, r / 40);
        side_->setGeometry(width() - r, gap, std::max(0, r - gap), std::max(0, height() - 2 * gap));
    }
}

void BoardView::setSidePanel(QWidget* panel, std::function<int(int)> widthFor) {
    side_ = panel;
    sideWidthFor_ = std::move(widthFor);
    relayout();
}

int BoardView::sideWidth() const {
    if (!side_ || side_->isHidden() || !sideWidthFor_) return 0;
    return std::max(0, sideWidthFor_(height()));
}

// A view not shown yet is laid out by its first resize and paint.
void BoardView::relayout() {
    reserveAsked_ = -1;
    if (isVisible()) fitCanvas();
    update();
}

QColor BoardView::markColour() {
    return {0, 200, 255};
}

void BoardView::setMarkedCells(const QVector<QRectF>& cells) {
    if (cells == marked_) return;
    marked_ = cells;
    update();
}

void BoardView::paintEvent(QPaintEvent*) {
    fitCanvas();
    QPainter p(this);
    const QImage& img = canvas_.image();
    if (img.isNull()) {
        p.fillRect(rect(), paletteColor(2));
        return;
    }
    const double dpr = devicePixelRatioF();
    p.drawImage(QRectF(0, 0, img.width() / dpr, img.height() / dpr), img);
    if (marked_.isEmpty()) return;
    // Over the board and apart from the game's own drawing: gone as soon as the cells are.
    p.scale(1 / dpr, 1 / dpr);
    for (const QRectF& cell : marked_) canvas_.paintOutline(p, cell, markColour());
}

void BoardView::resizeEvent(QResizeEvent*) {
    fitCanvas();
    emit scaled();
    update();
}

void BoardView::mousePressEvent(QMouseEvent* event) {
    int button = 0;
    if (event->button() == Qt::LeftButton) button = 1;
    if (event->button() == Qt::RightButton) button = 2;
    if (button == 0) return;
    const QPointF twips = toTwips(event->position());
    // The margins around the game's window are only background.
    if (twips.x() < 0 || twips.y() < 0 || twips.x() >= QtCanvas::kWidth ||
        twips.y() >= QtCanvas::kHeight)
        return;
    int shift = 0;
    if (event->modifiers() & Qt::ShiftModifier) shift |= 1;
    if (event->modifiers() & Qt::ControlModifier) shift |= 2;
    if (event->modifiers() & Qt::AltModifier) shift |= 4;
    emit pressed(button, shift, twips.x(), twips.y());
}

} // namespace kelvore::qt
