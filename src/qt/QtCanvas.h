// The canvas the game draws on. Every drawing call is kept in a list in window units (twips)
// and painted at once into a retained image at the current scale; when the window is resized
// the image is rebuilt from the list, so the board is sharp at every size. Calls hidden under
// later pictures are dropped from the list now and then, which keeps it short.
#pragma once

#include "platform/Platform.h"

#include <QImage>
#include <QRectF>
#include <QString>
#include <functional>
#include <vector>

namespace kelvore::qt {

class QtCanvas : public Canvas {
public:
    static constexpr double kWidth = 9000, kHeight = 8000; // the client area in twips

    void fillWindow(int colour) override;
    void drawPicture(int code, double x, double y) override;
    void drawOutline(int colour, double x1, double y1, double x2, double y2) override;
    void drawText(std::string_view text, double x, double y, int colour, int pointSize,
                  bool bold) override;
    void refresh() override;

    // Rebuilds the image for a new size in device pixels.
    void resize(int pixelWidth, int pixelHeight);
    const QImage& image() const { return image_; }
    double pixelsPerTwip() const { return scale_; }
    // Called after each drawing call, so the widget can schedule a repaint.
    std::function<void()> onChanged;

    std::size_t operationCount() const { return ops_.size(); }

private:
    enum class Kind { Fill, Picture, Outline, Text };
    struct Op {
        Kind kind;
        int value;   // picture code or colour
        QRectF rect; // twips: picture or outline rectangle, text bounds
        QString text;
        int pointSize = 0;
        bool bold = false;
    };
    void add(Op op);
    void paint(const Op& op);
    void compact();

    std::vector<Op> ops_;
    QImage image_;
    double scale_ = 1.0 / 15;
    std::size_t compactAt_ = 4000;
};

} // namespace kelvore::qt
