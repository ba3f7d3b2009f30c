#include "Pictures.h"

#include "notation/PieceNames.h"
#include "screen/Grid.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>

#include <cmath>
#include <cstdint>

namespace kelvore::qt {

namespace {

// A piece or a background tile is one cell of the grid.
constexpr double kSquareW = screen::kSquareWidth, kSquareH = screen::kSquareHeight;
constexpr double kTitleW = 2400, kTitleH = 600;

pieces::Style chosenStyle = pieces::Style::Kanji2;

QString firstAvailable(std::initializer_list<const char*> families, const char* fallback) {
    const QStringList installed = QFontDatabase::families();
    for (const char* f : families)
        if (installed.contains(QString::fromUtf8(f))) return QString::fromUtf8(f);
    return QString::fromUtf8(fallback);
}

// Two characters stacked for an unpromoted face, as on real pieces; promoted minor pieces
// carry a single character.
struct Face {
    const char* text;
    bool promoted;
    double scale; // relative size of the piece: the king is the largest, the pawn the smallest
};

Face faceOf(int code) {
    switch (code < 0 ? -code : code) {
    case 10: return {"歩兵", false, 0.80};
    case 11: return {"と", true, 0.80};
    case 20: return {"香車", false, 0.84};
    case 21: return {"成香", true, 0.84};
    case 30: return {"桂馬", false, 0.85};
    case 31: return {"成桂", true, 0.85};
    case 100: return {"銀将", false, 0.88};
    case 101: return {"成銀", true, 0.88};
    case 110: return {"金将", false, 0.88};
    case 800: return {"角行", false, 0.92};
    case 801: return {"龍馬", true, 0.92};
    case 900: return {"飛車", false, 0.92};
    case 901: return {"龍王", true, 0.92};
    case 910: return {"酔象", false, 0.90};
    case 911: return {"太子", true, 0.92};
    case 950: return {code < 0 ? "玉将" : "王将", false, 0.95};
    default: return {"", false, 0};
    }
}

std::uint32_t hash(std::int64_t a, std::int64_t b, std::uint32_t salt) {
    std::uint64_t h =
        static_cast<std::uint64_t>(a) * 0x9E3779B97F4A7C15ull ^
        (static_cast<std::uint64_t>(b) + 0x632BE59BD9B4E019ull + salt) * 0xC2B2AE3D27D4EB4Full;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 32;
    return static_cast<std::uint32_t>(h);
}

void paintSquare(QPainter& p, const QRectF& r) {
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, QColor(232, 196, 120));
    g.setColorAt(1, QColor(214, 172, 96));
    p.fillRect(r, g);
    // A faint grain across the board square.
    p.setPen(QPen(QColor(190, 146, 80, 70), std::max(1.0, r.width() / 60)));
    for (int i = 1; i < 5; ++i) {
        const double y = r.top() + r.height() * i / 5.0;
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y + r.height() * 0.03));
    }
}

// The international face, in the piece's own frame (centre at the origin, pointing up, w by h):
// the Western letters of the piece in a plain bold face, black, or red for a promoted piece,
// whose + stands small above them; the elephant DE (black) and the prince CP (red) as two letters.
void paintLetters(QPainter& p, int code, const Face& face, double w, double h) {
    std::string_view name = notation::namesOf(code).western;
    const bool plus = !name.empty() && name.front() == '+';
    if (plus) name.remove_prefix(1);
    const QString letters = QString::fromLatin1(name.data(), qsizetype(name.size()));
    const QColor ink = face.promoted ? QColor(204, 20, 12) : QColor(16, 16, 24);
    QFont font(firstAvailable({"DejaVu Sans", "Noto Sans", "Liberation Sans"}, "Sans"));
    font.setBold(true);
    const double glyph = letters.size() == 1 ? h * 0.50 : h * 0.34;
    font.setPixelSize(std::max(1, static_cast<int>(glyph)));
    auto stamp = [&](const QString& text, const QFont& f, double centreY, double width) {
        QPainterPath path;
        path.addText(0, 0, f, text);
        const QRectF b = path.boundingRect();
        // Two letters are narrowed, never widened, to keep inside the piece.
        const double squeeze = b.width() > width ? width / b.width() : 1.0;
        QTransform t;
        t.translate(0, centreY);
        t.scale(squeeze, 1);
        t.translate(-b.center().x(), -b.center().y());
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPath(t.map(path));
    };
    stamp(letters, font, h * 0.12, w * 0.78);
    if (plus) {
        QFont small = font;
        small.setPixelSize(std::max(1, static_cast<int>(h * 0.30)));
        stamp(QStringLiteral("+"), small, -h * 0.22, w);
    }
}

void paintPiece(QPainter& p, int code, const QRectF& r) {
    paintSquare(p, r);
    const Face face = faceOf(code);
    p.save();
    p.translate(r.center());
    if (code > 0) p.rotate(180); // the upper side's pieces face the lower side
    const double w = r.width() * face.scale * 0.92, h = r.height() * face.scale * 0.95;
    QPainterPath shape;
    shape.moveTo(0, -h / 2);
    shape.lineTo(w * 0.36, -h * 0.30);
    shape.lineTo(w / 2, h / 2);
    shape.lineTo(-w / 2, h / 2);
    shape.lineTo(-w * 0.36, -h * 0.30);
    shape.closeSubpath();
    // Shadow, wood and edge.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 60, 20, 90));
    p.drawPath(shape.translated(w * 0.04, h * 0.03));
    QLinearGradient wood(QPointF(-w / 2, -h / 2), QPointF(w / 2, h / 2));
    wood.setColorAt(0, QColor(250, 226, 168));
    wood.setColorAt(0.6, QColor(236, 203, 136));
    wood.setColorAt(1, QColor(212, 170, 102));
    p.setBrush(wood);
    p.setPen(QPen(QColor(120, 82, 36), std::max(1.0, w / 45)));
    p.drawPath(shape);

    if (chosenStyle == pieces::Style::International) {
        paintLetters(p, code, face, w, h);
        p.restore();
        return;
    }
    // One kanji each, as modern sets: the notation's own one-character names, 王 and 玉 as
    // the two-kanji faces have them.
    const std::string_view single = (code < 0 ? -code : code) == piece::OU
                                        ? std::string_view(code < 0 ? "玉" : "王")
                                        : notation::namesOf(code).single;
    const QString text = chosenStyle == pieces::Style::Kanji1
                             ? QString::fromUtf8(single.data(), qsizetype(single.size()))
                             : QString::fromUtf8(face.text);
    QFont font = brushFont();
    const int chars = static_cast<int>(text.size());
    const double glyph = chars == 1 ? h * 0.56 : h * 0.40;
    font.setPixelSize(std::max(1, static_cast<int>(glyph)));
    // The brush strokes are thickened a little so that they read at small sizes.
    const QColor ink = face.promoted ? QColor(196, 24, 16) : QColor(20, 14, 8);
    auto stamp = [&](const QString& glyphs, double centreY) {
        QPainterPath path;
        path.addText(0, 0, font, glyphs);
        const QRectF b = path.boundingRect();
        path.translate(-b.center().x(), centreY - b.center().y());
        p.setPen(QPen(ink, std::max(0.5, glyph * 0.035)));
        p.setBrush(ink);
        p.drawPath(path);
    };
    if (chars == 1) {
        stamp(text, h * 0.08);
    } else {
        stamp(text.mid(0, 1), -h * 0.12);
        stamp(text.mid(1, 1), h * 0.27);
    }
    p.restore();
}

// Background tiles. Patterns are computed from window coordinates so neighbouring tiles join.
void paintBackground(QPainter& p, int code, const QRectF& r, QPointF origin, double s) {
    p.save();
    p.setClipRect(r, Qt::IntersectClip);
    auto toDevice = [&](double tx, double ty) {
        return QPointF(r.left() + (tx - origin.x()) * s, r.top() + (ty - origin.y()) * s);
    };
    switch (code) {
    case 2: { // 緑: green baize
        p.fillRect(r, QColor(18, 104, 46));
        for (int i = 0; i < 40; ++i) {
            const std::uint32_t h =
                hash(static_cast<int64_t>(origin.x()), static_cast<int64_t>(origin.y()), i);
            const QPointF pt = toDevice(origin.x() + h % screen::kSquareWidth,
                                        origin.y() + (h >> 9) % screen::kSquareHeight);
            p.fillRect(QRectF(pt, QSizeF(std::max(1.0, s * 20), std::max(1.0, s * 20))),
                       (h >> 20) & 1 ? QColor(26, 118, 56) : QColor(12, 92, 40));
        }
        break;
    }
    case 3: { // 畳: tatami straw with its dark border every two squares
        p.fillRect(r, QColor(196, 196, 120));
        p.setPen(QPen(QColor(168, 170, 96), std::max(1.0, s * 12)));
        const double pitch = 40;
        const double first = std::floor(origin.y() / pitch) * pitch;
        for (double ty = first; ty < origin.y() + kSquareH; ty += pitch)
            p.drawLine(toDevice(origin.x(), ty), toDevice(origin.x() + kSquareW, ty));
        const double mat = 990;
        const double edge = std::floor(origin.x() / mat) * mat;
        for (double tx = edge; tx < origin.x() + kSquareW + mat; tx += mat)
            p.fillRect(QRectF(toDevice(tx - 40, origin.y()), QSizeF(80 * s, kSquareH * s)),
                       QColor(40, 52, 36));
        break;
    }
    case 4: { // 竹: bamboo stalks
        p.fillRect(r, QColor(210, 220, 170));
        const double pitch = 330;
        const double first = std::floor(origin.x() / pitch) * pitch;
        for (double tx = first; tx < origin.x() + kSquareW; tx += pitch) {
            const QRectF stalk(toDevice(tx + 40, origin.y()), QSizeF(250 * s, kSquareH * s));
            QLinearGradient g(stalk.topLeft(), stalk.topRight());
            g.setColorAt(0, QColor(70, 120, 40));
            g.setColorAt(0.4, QColor(150, 190, 80));
            g.setColorAt(1, QColor(60, 104, 34));
            p.fillRect(stalk, g);
            const std::uint32_t h = hash(static_cast<int64_t>(tx), 0, 7);
            const double nodePitch = 900 + h % 300;
            const double offset = h % 500;
            const double n0 = std::floor((origin.y() - offset) / nodePitch) * nodePitch + offset;
            for (double ty = n0; ty < origin.y() + kSquareH; ty += nodePitch)
                p.fillRect(QRectF(toDevice(tx + 30, ty), QSizeF(270 * s, 30 * s)),
                           QColor(48, 82, 28));
        }
        break;
    }
    case 5: { // 宇宙: a starry night
        QRadialGradient g(r.center(), r.width());
        g.setColorAt(0, QColor(16, 18, 52));
        g.setColorAt(1, QColor(4, 4, 20));
        p.fillRect(r, g);
        const auto cx = static_cast<int64_t>(std::lround(origin.x()));
        const auto cy = static_cast<int64_t>(std::lround(origin.y()));
        for (int i = 0; i < 7; ++i) {
            const std::uint32_t h = hash(cx, cy, 100 + i);
            const QPointF pt = toDevice(origin.x() + h % screen::kSquareWidth,
                                        origin.y() + (h >> 10) % screen::kSquareHeight);
            const double size = std::max(1.0, s * (8 + (h >> 22) % 18));
            const int shade = 170 + static_cast<int>((h >> 4) % 85);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(shade, shade, 255));
            p.drawEllipse(pt, size / 2, size / 2);
        }
        break;
    }
    case 6: { // 煉瓦: red bricks in running bond
        p.fillRect(r, QColor(200, 190, 170));
        const double bw = kSquareW, bh = kSquareH / 3; // three rows a square
        const double row0 = std::floor(origin.y() / bh);
        for (double row = row0; row * bh < origin.y() + kSquareH; ++row) {
            const double shift = (static_cast<long long>(row) % 2) ? bw / 2 : 0;
            const double col0 = std::floor((origin.x() - shift) / bw) - 1;
            for (double col = col0; col * bw + shift < origin.x() + kSquareW; ++col) {
                const double tx = col * bw + shift, ty = row * bh;
                const std::uint32_t h =
                    hash(static_cast<int64_t>(col), static_cast<int64_t>(row), 3);
                const QColor brick(150 + h % 40, 50 + (h >> 8) % 20, 34 + (h >> 16) % 16);
                p.fillRect(QRectF(toDevice(tx + 14, ty + 14), QSizeF((bw - 28) * s, (bh - 28) * s)),
                           brick);
            }
        }
        break;
    }
    default: break;
    }
    p.restore();
}

void paintTitle(QPainter& p, const QRectF& r) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(96, 52, 20));
    g.setColorAt(1, QColor(52, 26, 8));
    p.fillRect(r, g);
    p.setPen(QPen(QColor(214, 170, 70), std::max(1.0, r.height() / 30)));
    p.setBrush(Qt::NoBrush);
    const double m = r.height() * 0.08;
    p.drawRect(r.adjusted(m, m, -m, -m));
    // A small piece bearing 象 at the left, then the name.
    const QRectF pieceRect(r.left() + r.height() * 0.15, r.top() + r.height() * 0.12,
                           r.height() * 0.62, r.height() * 0.76);
    paintIcon(p, pieceRect);
    QFont f = japaneseFont();
    f.setFamily(QStringLiteral("Noto Serif CJK JP"));
    f.setBold(true);
    f.setPixelSize(std::max(1, static_cast<int>(r.height() * 0.50)));
    p.setFont(f);
    p.setPen(QColor(240, 206, 110));
    p.drawText(QRectF(pieceRect.right(), r.top(), r.right() - pieceRect.right(), r.height()),
               Qt::AlignCenter, QStringLiteral("Kelvore"));
}

} // namespace

QColor paletteColor(int index) {
    static const QColor palette[16] = {
        {0, 0, 0},     {0, 0, 128},     {0, 128, 0},     {0, 128, 128},  {128, 0, 0}, {128, 0, 128},
        {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255},    {0, 255, 0}, {0, 255, 255},
        {255, 0, 0},   {255, 0, 255},   {255, 255, 0},   {255, 255, 255}};
    return palette[index & 15];
}

QSizeF pictureSize(int code) {
    if (code == 1) return {kTitleW, kTitleH};
    if (code == 0 || (code >= 2 && code <= 6) || faceOf(code).text[0] != '\0')
        return {kSquareW, kSquareH};
    return {};
}

void paintPicture(QPainter& p, int code, const QRectF& target, QPointF origin, double s) {
    if (code == 0)
        paintSquare(p, target);
    else if (code == 1)
        paintTitle(p, target);
    else if (code >= 2 && code <= 6)
        paintBackground(p, code, target, origin, s);
    else
        paintPiece(p, code, target);
}

void setPieceStyle(pieces::Style style) {
    chosenStyle = style;
}

pieces::Style pieceStyle() {
    return chosenStyle;
}

void paintIcon(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double w = r.width(), h = r.height();
    QPainterPath shape;
    shape.moveTo(r.center().x(), r.top());
    shape.lineTo(r.left() + w * 0.86, r.top() + h * 0.2);
    shape.lineTo(r.right(), r.bottom());
    shape.lineTo(r.left(), r.bottom());
    shape.lineTo(r.left() + w * 0.14, r.top() + h * 0.2);
    shape.closeSubpath();
    QLinearGradient wood(r.topLeft(), r.bottomRight());
    wood.setColorAt(0, QColor(250, 226, 168));
    wood.setColorAt(1, QColor(210, 166, 96));
    p.setBrush(wood);
    p.setPen(QPen(QColor(110, 72, 30), std::max(1.0, w / 30)));
    p.drawPath(shape);
    // The character is filled as an outline, centred as text would be, so that a vector copy
    // of the icon keeps the brush shape on a machine without the brush font.
    QFont f = brushFont();
    f.setPixelSize(std::max(1, static_cast<int>(h * 0.55)));
    const QString text = QString::fromUtf8("象");
    const QFontMetricsF metrics(f);
    const QRectF box(r.left(), r.top() + h * 0.18, w, h * 0.8);
    QPainterPath glyph;
    glyph.setFillRule(Qt::WindingFill); // brush strokes overlap: no holes where they cross
    glyph.addText(box.center().x() - metrics.horizontalAdvance(text) / 2,
                  box.center().y() - metrics.height() / 2 + metrics.ascent(), f, text);
    p.fillPath(glyph, QColor(20, 14, 8));
    p.restore();
}

QFont japaneseFont() {
    QFont f(firstAvailable({"Noto Sans CJK JP", "IPAGothic", "IPAexGothic"}, "Sans"));
    return f;
}

QFont brushFont() {
    QFont f(firstAvailable({"KouzanBrushFont", "AoyagiKouzanFontT", "Noto Serif CJK JP"}, "Serif"));
    return f;
}

} // namespace kelvore::qt
