// The evaluation graph of a whole game: the score of every position from the side that moved
// first (▲), clipped to a readable range, with the moves marked as mistakes and the position
// shown on the board picked out. It scales with its widget; a click anywhere over the graph
// chooses the nearest position. A screen reader hears the scores through the widget's
// accessible description.
#pragma once

#include <QString>
#include <QVector>
#include <QWidget>

namespace kelvore::qt {

struct GraphPoint {
    enum class Mark { None, Dubious, Bad }; // how the move that led here is marked
    bool known = false;                     // its search has ended
    int value = 0;                          // centipawns from ▲'s side
    Mark mark = Mark::None;
    QString text; // what is said of it, e.g. "5手目 ▲５五角(88) -1580 悪手"
};

class EvaluationGraph : public QWidget {
    Q_OBJECT
public:
    explicit EvaluationGraph(QWidget* parent = nullptr);

    // The positions of the game, the start first; `range` is the score at the top edge (and,
    // negated, at the bottom one).
    void setPoints(QVector<GraphPoint> points, int range);
    const QVector<GraphPoint>& points() const { return points_; }
    int range() const { return range_; }

    // The position shown on the board (0: the start); -1 for none.
    void setCurrentPly(int ply);
    int currentPly() const { return current_; }

    // Where the scores are drawn, in widget coordinates, and where position `ply` and a score
    // lie in it.
    QRectF plotArea() const;
    double xOf(int ply) const;
    double yOf(int value) const;
    // The position nearest to a point of the widget; -1 when there is no game or the point is
    // outside the plot area's height.
    int plyAt(QPointF point) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A click chose position `ply`.
    void plyClicked(int ply);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void describe();
    // The size of the labels, from the widget's height, in pixels.
    int labelPixels() const;

    QVector<GraphPoint> points_;
    int range_ = 2000;
    int current_ = -1;
};

} // namespace kelvore::qt
