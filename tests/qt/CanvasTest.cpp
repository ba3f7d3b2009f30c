// The canvas on its own and under the real game: what it keeps, what it shows, how wide its
// outlines are and what fills its margins.
// Before Qt: the game has a member named "slots".
#include "Form1.h"

#include "BoardView.h"
#include "Pictures.h"
#include "QtCanvas.h"
#include "platform/NullPlatform.h"

#include "../fakes/Clicks.h"

#include <QTemporaryDir>
#include <QtTest/QtTest>

#include <random>

using namespace kelvore;

namespace {

// The game on a platform that draws onto a real canvas and answers every box with OK or No.
struct CanvasGame {
    QTemporaryDir dir;
    NullPlatform null;
    qt::QtCanvas canvas;
    Platform platform{canvas,
                      null.platform.dialogs,
                      null.platform.menu,
                      null.platform.timer,
                      null.platform.clock,
                      null.platform.sound,
                      null.platform.panel,
                      null.platform.window,
                      null.platform.dispatcher,
                      null.platform.status};
    Form1 form{platform};
    CanvasGame() {
        canvas.background = [this] { return form.CurrentBackground; };
        canvas.resize(1000, 900);
        form.WorkFolder = dir.path().toStdString();
        form.SoundFolder = form.WorkFolder;
        form.Form_Load();
    }
    void click(int col, int row) { test::click(form, col, row); }
};

// The picture of `code` laid on grid cell (col, row) at the canvas's scale, as its own image.
QImage referenceTile(const qt::QtCanvas& canvas, int code, int col, int row) {
    const QRectF cell = qt::BoardView::cell(col, row);
    const QRectF device = canvas.toDevice(cell);
    const QRect snapped(
        QPoint(int(std::floor(device.left())), int(std::floor(device.top()))),
        QPoint(int(std::floor(device.right())) - 1, int(std::floor(device.bottom())) - 1));
    QImage img(canvas.image().size(), QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    qt::paintPicture(p, code, snapped, cell.topLeft(), canvas.pixelsPerTwip());
    return img;
}

// The grid cell (col, row) that holds a point in twips, however far off the board.
std::pair<int, int> cellAt(QPointF twips) {
    const QRectF origin = qt::BoardView::cell(0, 0);
    return {int(std::floor((twips.x() - origin.x()) / origin.width())),
            int(std::floor((twips.y() - origin.y()) / origin.height()))};
}

// A long random mixture of what the game draws: pictures, outlines and texts on the grid.
template <class Canvas> void scribble(Canvas& c, unsigned seed, int count) {
    std::mt19937 rng(seed);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    static const int codes[] = {0, 2, 3, 4, 5, 6, -10, 10, -901, 911, -950, 1};
    static const char* texts[] = {"00:01:", "手目", "７六歩", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人", "九", "12"};
    c.fillWindow(2);
    for (int i = 0; i < count; ++i) {
        const int col = pick(-3, 16), row = pick(-2, 13);
        const QRectF cell = qt::BoardView::cell(col, row);
        const double x = cell.x(), y = cell.y();
        switch (pick(0, 5)) {
        case 0:
        case 1: c.drawPicture(codes[pick(0, 11)], x, y); break;
        case 2:
        case 3: c.drawOutline(pick(0, 15), x, y, cell.right(), cell.bottom()); break;
        case 4: {
            // Every text differs, so that none is dropped for being printed twice.
            const std::string t = texts[pick(0, 5)] + std::to_string(i);
            c.drawText(t, x + pick(0, 4) * 49.5, y + pick(0, 4) * 61.5, pick(0, 15), pick(8, 16),
                       pick(0, 1) == 1);
            break;
        }
        default:
            // The hand counts and the title picture sit off the grid lines.
            c.drawPicture(codes[pick(0, 11)], x + 0.8 * cell.width(), y);
            break;
        }
    }
}

// The images agree but for anti-aliasing noise: no pixel differs by more than a tenth in any
// channel. A call wrongly dropped leaves an outline, a text or a picture that differs by far
// more.
bool sameImage(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return false;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            if (std::abs(qRed(p[col]) - qRed(q[col])) > 25 ||
                std::abs(qGreen(p[col]) - qGreen(q[col])) > 25 ||
                std::abs(qBlue(p[col]) - qBlue(q[col])) > 25)
                return false;
    }
    return true;
}

} // namespace

class CanvasTest : public QObject {
    Q_OBJECT
private slots:
    // A long game of shuffled rooks with move guidance on redraws the 81 square outlines and
    // the reachable squares on every click; the list must not grow with the moves.
    void theListStaysBoundedOverALongGame() {
        CanvasGame g;
        g.form.SIDOU_Click(); // move guidance on
        QCOMPARE(g.form.MoveGuidance, 1);
        g.form.START_Click();
        QCOMPARE(g.form.Turn, 1);
        // The list is swept whenever it has doubled, so it rises and falls; over a stretch
        // of the game it reaches the same height however long the game has gone on.
        std::size_t midMax = 0, lateMax = 0;
        const int rookX[2] = {8, 2}, rookY[2] = {8, 2}, step[2] = {-1, 1};
        const int moves = 1600;
        for (int i = 0; i < moves; ++i) {
            const int side = i % 2;
            const bool out = (i / 2) % 2 == 0;
            const int from = out ? rookX[side] : rookX[side] + step[side];
            const int to = out ? rookX[side] + step[side] : rookX[side];
            g.click(from, rookY[side]);
            g.click(to, rookY[side]);
            g.form.Timer1_Timer();
            if (i >= 400 && i < 800) midMax = std::max(midMax, g.canvas.operationCount());
            if (i >= 1200) lateMax = std::max(lateMax, g.canvas.operationCount());
        }
        QCOMPARE(g.form.MoveNumber, moves);
        QVERIFY2(lateMax <= midMax + 20,
                 qPrintable(QStringLiteral("%1 calls late, %2 before").arg(lateMax).arg(midMax)));
        QVERIFY(midMax < 2500);
    }

    // Whatever the canvas drops was really hidden: the image rebuilt from the list it keeps
    // equals the image painted call by call, at the size it was drawn at and at others.
    void droppedCallsWereHidden() {
        for (const QSize size :
             {QSize(1000, 900), QSize(600, 533), QSize(300, 267), QSize(1717, 1243)}) {
            qt::QtCanvas kept, live;
            kept.background = live.background = [] { return 4; };
            kept.resize(640, 600);
            live.resize(size.width(), size.height());
            scribble(kept, 7, 4000);
            scribble(live, 7, 4000);
            QVERIFY(kept.operationCount() < 3000);
            kept.resize(size.width(), size.height());
            QVERIFY2(sameImage(kept.image(), live.image()),
                     qPrintable(QStringLiteral("at %1 x %2").arg(size.width()).arg(size.height())));
        }
    }

    // An outline is a twentieth of a square wide, at least one pixel, centred on the edge,
    // in its colour.
    void outlinesGrowWithTheSquare() {
        struct Case {
            int width;
            int expected;
        };
        // Square widths of 99, 33 and 16.5 pixels.
        for (const Case c : {Case{1800, 5}, Case{600, 2}, Case{300, 1}}) {
            qt::QtCanvas canvas;
            canvas.resize(c.width, c.width * 8 / 9);
            canvas.fillWindow(0);
            const QRectF square = qt::BoardView::cell(1, 1); // outlined in white
            canvas.drawOutline(15, square.left(), square.top(), square.right(), square.bottom());
            QCOMPARE(canvas.outlineWidth(), c.expected);
            const QRectF cell = canvas.toDevice(square);
            const int y = int(cell.center().y());
            int white = 0;
            for (int x = int(cell.left()) - 10; x < int(cell.center().x()); ++x)
                if (canvas.image().pixel(x, y) == qRgb(255, 255, 255)) ++white;
            QCOMPARE(white, c.expected);
            const int left = int(std::floor(cell.left()));
            QCOMPARE(canvas.image().pixel(left, y), qRgb(255, 255, 255));
        }
    }

    // The margins around the game's window continue the current background tile for tile,
    // and follow it when it changes.
    void marginsContinueTheBackground() {
        int code = 3;
        qt::QtCanvas canvas;
        canvas.background = [&] { return code; };
        canvas.resize(2000, 800);
        QVERIFY(canvas.origin().x() > 400);
        const QPoint inMargin(120, 400);
        const auto [col, row] = cellAt(canvas.toTwips(inMargin));
        QVERIFY(col < -3); // beyond the tiles the game itself lays
        QCOMPARE(canvas.image().pixel(inMargin),
                 referenceTile(canvas, 3, col, row).pixel(inMargin));
        QVERIFY(canvas.image().pixel(inMargin) != qRgb(0, 0, 0));
        code = 6;
        canvas.drawPicture(0, 1545, 715);
        QCOMPARE(canvas.image().pixel(inMargin),
                 referenceTile(canvas, 6, col, row).pixel(inMargin));
        // The right-hand margin too, and a rebuilt image the same.
        const QPoint right(1990, 100);
        const auto [rc, rr] = cellAt(canvas.toTwips(right));
        const QRgb before = canvas.image().pixel(right);
        QCOMPARE(before, referenceTile(canvas, 6, rc, rr).pixel(right));
        canvas.resize(2000, 800);
        QCOMPARE(canvas.image().pixel(right), before);
    }
};

int runCanvasTest(int argc, char** argv) {
    CanvasTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "CanvasTest.moc"
