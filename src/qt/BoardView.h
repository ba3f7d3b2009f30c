// The area the game draws on: the retained canvas image. The game's window keeps its aspect in
// the middle; the margins around it continue the background, and clicks there do nothing.
#pragma once

#include "QtCanvas.h"

#include <QPointer>
#include <QRectF>
#include <QVector>
#include <QWidget>

#include <functional>

namespace kelvore::qt {

class BoardView : public QWidget {
    Q_OBJECT
public:
    explicit BoardView(QWidget* parent = nullptr);
    QtCanvas& canvas() { return canvas_; }
    const QtCanvas& canvas() const { return canvas_; }
    // Maps a widget position to window units (twips) of the game.
    QPointF toTwips(QPointF widgetPos) const;
    // Maps a rectangle in twips to widget coordinates.
    QRect fromTwips(const QRectF& twips) const;
    // Logical pixels per twip.
    double scale() const;
    // Cell (col, row) of the game's screen grid in twips: a square of the board, or a place in
    // a hand (columns -1 and 11).
    static QRectF cell(int col, int row);

    // A panel laid over the right of the view, beside the board: the board keeps to the area
    // left of it while it is shown. `widthFor` gives its width for the view's height.
    void setSidePanel(QWidget* panel, std::function<int(int)> widthFor);
    // Lays the board and the side panel out again (after the panel is shown or hidden).
    void relayout();
    // Cells (in twips) outlined over the board in a colour of their own: the hint's move.
    void setMarkedCells(const QVector<QRectF>& cells);
    const QVector<QRectF>& markedCells() const { return marked_; }
    static QColor markColour();

signals:
    // A mouse button went down over the game's window: 1 left, 2 right; `shift` holds 1 for
    // Shift, 2 for Ctrl and 4 for Alt; (x, y) in twips.
    void pressed(int button, int shift, double x, double y);
    // The view's size or scale changed: whatever lies over it is laid out again.
    void scaled();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Rebuilds the canvas image when the size in device pixels has changed (a resize, or a
    // move to a screen of another pixel ratio).
    void fitCanvas();
    // The side panel's width in logical pixels at the current size (0 when hidden).
    int sideWidth() const;
    QtCanvas canvas_;
    QPointer<QWidget> side_;
    std::function<int(int)> sideWidthFor_;
    int reserveAsked_ = -1; // the strip last asked of the canvas, in device pixels
    QVector<QRectF> marked_;
};

} // namespace kelvore::qt
