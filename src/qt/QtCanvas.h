// The canvas the game draws on. Every drawing call is kept in a list in window units (twips)
// and painted at once into a retained image at the current scale; when the window is resized
// the image is rebuilt from the list, so the board is sharp at every size.
//
// The list holds only what can still be seen: a call whose whole area a later picture paints
// over, or an outline drawn again on the same square, is dropped as the later call arrives, and
// calls covered only by several later pictures together are swept out whenever the list has
// doubled. Over a long game the list, and so the memory, stays the same size.
//
// The image fills the whole drawing area. The game's 9000 x 8000 window sits centred in it,
// and the margins around it show the game's current background continuing its pattern.
#pragma once

#include "platform/Platform.h"
#include "screen/Grid.h"

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace kelvore::qt {

class QtCanvas : public Canvas {
public:
    // The game's window, and the grid's cells, in twips.
    static constexpr double kWidth = screen::kWindowWidth, kHeight = screen::kWindowHeight;
    static constexpr double kSquareWidth = screen::kSquareWidth;
    static constexpr double kSquareHeight = screen::kSquareHeight;

    void fillWindow(int colour) override;
    void drawPicture(int code, double x, double y) override;
    void drawOutline(int colour, double x1, double y1, double x2, double y2) override;
    void drawText(std::string_view text, double x, double y, int colour, int pointSize,
                  bool bold) override;
    // Where the ink of the text ends, measured with the canvas's own font.
    double textWidth(std::string_view text, int pointSize, bool bold) override;
    void refresh() override;

    // Rebuilds the image for a drawing area of this many device pixels. The game's window is
    // centred in the area left of `reservedRight` pixels kept free at the right (for a panel
    // laid over the margin there), which never leaves it less than 300 pixels; the margins,
    // that strip included, show the background.
    void resize(int pixelWidth, int pixelHeight, int reservedRight = 0);
    int reservedRight() const { return reservedRight_; }
    const QImage& image() const { return image_; }
    // Device pixels per twip, and where the game's window starts in the image.
    double pixelsPerTwip() const { return scale_; }
    QPointF origin() const { return origin_; }
    QPointF toTwips(QPointF devicePixel) const;
    QRectF toDevice(const QRectF& twips) const;
    // The width of every outline in device pixels: a twentieth of a square, at least one pixel.
    int outlineWidth() const;
    // Paints an outline of the cell `twips` as the game's outlines are painted (four bars on
    // the cell's edges, outlineWidth() wide) with a painter in device pixels.
    void paintOutline(QPainter& painter, const QRectF& twips, const QColor& colour) const;

    // The picture code the margins are tiled with (the game's current background).
    std::function<int()> background;
    // Called after each drawing call, so the widget can schedule a repaint.
    std::function<void()> onChanged;

    std::size_t operationCount() const { return ops_.size(); }
    // The texts the picture holds now, in the order drawn (what a reader of the screen sees).
    QStringList texts() const;

private:
    enum class Kind { Fill, Picture, Outline, Text };
    struct Op {
        Kind kind;
        int value;   // picture code or colour
        QRectF rect; // twips: picture or outline rectangle, the ink of a text
        QPointF at;  // twips: where a text is printed (its top-left corner)
        QString text;
        int pointSize = 0;
        bool bold = false;
    };
    static QRectF reach(const Op& op);
    static QRectF textBounds(const QString& text, double x, double y, int pointSize, bool bold);
    void add(Op op);
    void dropHidden(const Op& op);
    void paint(QPainter& p, const Op& op) const;
    void paintMargins(int code, bool withCalls);
    void sweep();

    std::vector<Op> ops_;
    QImage image_;
    double scale_ = 1.0 / 15;
    QPointF origin_;
    int reservedRight_ = 0;
    int marginCode_ = -1;
    std::size_t sweepAt_ = kMinSweep;
    static constexpr std::size_t kMinSweep = 1024;
};

} // namespace kelvore::qt
