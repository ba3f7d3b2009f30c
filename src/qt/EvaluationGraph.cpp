#include "EvaluationGraph.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace kelvore::qt {

namespace {

const QColor kFirstAhead(70, 110, 190, 150); // where ▲ leads
const QColor kSecondAhead(200, 90, 70, 150); // where △ leads
const QColor kDubiousColour(235, 150, 20);
const QColor kBadColour(200, 20, 30);
const QColor kCurrentColour(20, 20, 20);

QString signedText(int v) {
    return v > 0 ? QStringLiteral("+%1").arg(v) : QString::number(v);
}

} // namespace

EvaluationGraph::EvaluationGraph(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QCoreApplication::translate("EvaluationGraph", "評価値グラフ"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setCursor(Qt::PointingHandCursor);
    describe();
}

void EvaluationGraph::setPoints(QVector<GraphPoint> points, int range) {
    points_ = std::move(points);
    range_ = std::max(1, range);
    if (current_ >= points_.size()) current_ = points_.isEmpty() ? -1 : points_.size() - 1;
    describe();
    update();
}

void EvaluationGraph::setCurrentPly(int ply) {
    const int clamped = points_.isEmpty() ? -1 : std::clamp(ply, -1, int(points_.size()) - 1);
    if (clamped == current_) return;
    current_ = clamped;
    describe();
    update();
}

int EvaluationGraph::labelPixels() const {
    return std::clamp(height() / 14, 10, 22);
}

QRectF EvaluationGraph::plotArea() const {
    QFont f = font();
    f.setPixelSize(labelPixels());
    const QFontMetrics fm(f);
    const double left = fm.horizontalAdvance(signedText(-range_)) + fm.height() * 0.6;
    const double top = fm.height() * 0.7;
    const double bottom = fm.height() * 1.4;
    const double right = fm.height() * 0.8;
    return QRectF(left, top, std::max(1.0, width() - left - right),
                  std::max(1.0, height() - top - bottom));
}

double EvaluationGraph::xOf(int ply) const {
    const QRectF a = plotArea();
    if (points_.size() <= 1) return a.center().x();
    return a.left() + a.width() * ply / double(points_.size() - 1);
}

double EvaluationGraph::yOf(int value) const {
    const QRectF a = plotArea();
    const int v = std::clamp(value, -range_, range_);
    return a.top() + a.height() * (range_ - v) / (2.0 * range_);
}

int EvaluationGraph::plyAt(QPointF point) const {
    if (points_.isEmpty()) return -1;
    if (point.y() < 0 || point.y() > height()) return -1;
    const QRectF a = plotArea();
    const int last = int(points_.size()) - 1;
    if (last == 0) return 0;
    const double t = (point.x() - a.left()) / a.width() * last;
    return std::clamp(int(std::lround(t)), 0, last);
}

QSize EvaluationGraph::sizeHint() const {
    return {480, 200};
}

// Room for the five lines of the scale and the move numbers under them.
QSize EvaluationGraph::minimumSizeHint() const {
    return {160, 8 * fontMetrics().height()};
}

void EvaluationGraph::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    const int ply = plyAt(event->position());
    if (ply < 0) return;
    setCurrentPly(ply);
    emit plyClicked(ply);
}

void EvaluationGraph::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), palette().base());
    const QRectF a = plotArea();
    QFont f = font();
    f.setPixelSize(labelPixels());
    p.setFont(f);
    const QFontMetrics fm(f);
    const double line = std::max(1.0, height() / 180.0);

    // The score lines and their labels.
    const QColor grid = palette().color(QPalette::Mid);
    for (int k = -2; k <= 2; ++k) {
        const int v = range_ * k / 2;
        const double y = yOf(v);
        p.setPen(QPen(k == 0 ? palette().color(QPalette::Text) : grid, k == 0 ? line : 1,
                      k == 0 ? Qt::SolidLine : Qt::DotLine));
        p.drawLine(QPointF(a.left(), y), QPointF(a.right(), y));
        p.setPen(palette().color(QPalette::Text));
        p.drawText(QRectF(0, y - fm.height() / 2.0, a.left() - fm.height() * 0.3, fm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, signedText(v));
    }
    // Which side leads where, at the start of the game, where the scores stay near zero.
    p.setPen(grid);
    const QRectF inner = a.adjusted(fm.height() * 0.3, 2, -4, -2);
    p.drawText(inner, Qt::AlignLeft | Qt::AlignTop,
               QCoreApplication::translate("EvaluationGraph", "▲有利"));
    p.drawText(inner, Qt::AlignLeft | Qt::AlignBottom,
               QCoreApplication::translate("EvaluationGraph", "△有利"));

    // The move numbers under the graph, at a step that leaves room between them.
    const int last = int(points_.size()) - 1;
    if (last >= 1) {
        const double room = fm.horizontalAdvance(QStringLiteral("000")) * 2.0;
        int step = 1;
        for (int s : {1, 2, 5, 10, 20, 50, 100, 200, 500}) {
            step = s;
            if (a.width() * s / last >= room) break;
        }
        p.setPen(palette().color(QPalette::Text));
        for (int ply = 0; ply <= last; ply += step) {
            const double x = xOf(ply);
            p.drawLine(QPointF(x, a.bottom()), QPointF(x, a.bottom() + fm.height() * 0.25));
            p.drawText(QRectF(x - room / 2, a.bottom() + fm.height() * 0.25, room, fm.height()),
                       Qt::AlignHCenter | Qt::AlignTop, QString::number(ply));
        }
    }

    // The scores known so far: the area between them and the zero line, coloured by the side
    // that leads, and the line itself.
    QPolygonF curve;
    for (int i = 0; i <= last && points_[i].known; ++i)
        curve << QPointF(xOf(i), yOf(points_[i].value));
    if (!curve.isEmpty()) {
        const double zero = yOf(0);
        QPainterPath area;
        area.moveTo(curve.first().x(), zero);
        for (const QPointF& pt : curve) area.lineTo(pt);
        area.lineTo(curve.last().x(), zero);
        area.closeSubpath();
        p.save();
        p.setClipRect(QRectF(a.left(), a.top(), a.width(), zero - a.top()));
        p.fillPath(area, kFirstAhead);
        p.setClipRect(QRectF(a.left(), zero, a.width(), a.bottom() - zero));
        p.fillPath(area, kSecondAhead);
        p.restore();
        p.setPen(QPen(palette().color(QPalette::Text), line * 1.5));
        p.drawPolyline(curve);
    }

    // The marked moves, and the position on the board.
    const double r = std::clamp(height() / 45.0, 3.0, 9.0);
    for (int i = 0; i <= last; ++i) {
        const GraphPoint& g = points_[i];
        if (!g.known || g.mark == GraphPoint::Mark::None) continue;
        p.setPen(Qt::NoPen);
        p.setBrush(g.mark == GraphPoint::Mark::Bad ? kBadColour : kDubiousColour);
        p.drawEllipse(QPointF(xOf(i), yOf(g.value)), r, r);
    }
    if (current_ >= 0 && current_ <= last) {
        const double x = xOf(current_);
        p.setPen(QPen(kCurrentColour, line * 2));
        p.drawLine(QPointF(x, a.top()), QPointF(x, a.bottom()));
        if (points_[current_].known) {
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(x, yOf(points_[current_].value)), r * 1.6, r * 1.6);
        }
    }
}

void EvaluationGraph::describe() {
    QString d =
        QCoreApplication::translate("EvaluationGraph", "▲から見た評価値（±%1まで）").arg(range_);
    if (current_ >= 0 && current_ < points_.size() && !points_[current_].text.isEmpty())
        d += QCoreApplication::translate("EvaluationGraph", "。現在: ") + points_[current_].text;
    QStringList known;
    for (const GraphPoint& g : points_)
        if (g.known) known << g.text;
    if (known.isEmpty())
        d += QCoreApplication::translate("EvaluationGraph", "。まだ解析されていません");
    else
        d += QCoreApplication::translate("EvaluationGraph", "。") +
             known.join(QCoreApplication::translate("EvaluationGraph", "、"));
    setAccessibleDescription(d);
}

} // namespace kelvore::qt
