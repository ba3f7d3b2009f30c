// The three piece styles: every piece drawn in each at a small and a large size, the styles
// and the pieces told apart by their pixels, and the style chosen in ｵﾌﾟｼｮﾝ and kept in
// window.ini.
#include "MainWindow.h"
#include "Pictures.h"
#include "PieceStyleFile.h"
#include "notation/PieceNames.h"
#include "screen/MenuTree.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest/QtTest>

#include "Boxes.h"

#include <vector>

using namespace kelvore;
using pieces::Style;

namespace {

constexpr Style kStyles[] = {Style::Kanji2, Style::Kanji1, Style::International};

// Every piece the board can show: the notation's kinds, of both sides.
std::vector<int> everyPiece() {
    std::vector<int> codes;
    for (const auto& n : notation::kPieceNames) codes.insert(codes.end(), {-n.kind, n.kind});
    return codes;
}

QImage drawn(Style style, int code, QSize size) {
    qt::setPieceStyle(style);
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    qt::paintPicture(p, code, QRectF(QPointF(0, 0), size), {0, 0}, size.width() / 495.0);
    return img;
}

// Pixels of black ink (dark) and of red ink (a promoted face); the wood is neither.
struct Ink {
    int dark = 0, red = 0;
};
Ink inkOf(const QImage& img) {
    Ink ink;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.red() < 70 && c.green() < 70 && c.blue() < 70) ++ink.dark;
            // Red ink, laid over the wood at the edges of its strokes too.
            if (c.red() - c.green() > 60 && c.red() - c.blue() > 60) ++ink.red;
        }
    return ink;
}

bool promotedFace(int code) {
    const int k = code < 0 ? -code : code;
    return k == piece::KO || (k % 10 == 1 && k != piece::NKIN);
}

QStringList captionsOf(QMenu* menu) {
    QStringList items;
    for (QAction* a : menu->actions()) items << (a->isSeparator() ? "-" : a->text());
    return items;
}

} // namespace

class PieceStyleTest : public QObject {
    Q_OBJECT
    QTimer boxes;
private slots:
    void initTestCase() { qt::test::answerEveryBox(boxes); }
    void cleanup() { qt::setPieceStyle(Style::Kanji2); }

    void everyStyleDrawsEveryPieceDistinctly() {
        const std::vector<int> codes = everyPiece();
        // A square at the base size and one on a large screen.
        for (const QSize size : {QSize(33, 41), QSize(132, 164)}) {
            const int area = size.width() * size.height();
            std::vector<std::vector<QImage>> images(std::size(kStyles));
            for (std::size_t s = 0; s < std::size(kStyles); ++s)
                for (int code : codes) {
                    const QImage img = drawn(kStyles[s], code, size);
                    const Ink ink = inkOf(img);
                    const QString what = QStringLiteral("style %1 piece %2 at %3 px")
                                             .arg(s)
                                             .arg(code)
                                             .arg(size.width());
                    // The face carries ink, red exactly on the promoted pieces and the prince.
                    if (promotedFace(code)) {
                        QVERIFY2(ink.red > area / 50, qPrintable(what));
                    } else {
                        QVERIFY2(ink.dark > area / 50, qPrintable(what));
                        QVERIFY2(ink.red == 0, qPrintable(what));
                    }
                    images[s].push_back(img);
                }
            for (std::size_t i = 0; i < codes.size(); ++i) {
                // The three styles draw each piece differently (the tokin is と in both kanji
                // styles)...
                if (std::abs(codes[i]) != piece::TO) QVERIFY(images[0][i] != images[1][i]);
                QVERIFY(images[0][i] != images[2][i]);
                QVERIFY(images[1][i] != images[2][i]);
                // ...and in each style no two pieces of a side look the same, the elephant and
                // the prince included. (Only the two kings differ by side in the kanji.)
                for (std::size_t s = 0; s < std::size(kStyles); ++s)
                    for (std::size_t j = i + 2; j < codes.size(); j += 2)
                        QVERIFY2(images[s][i] != images[s][j],
                                 qPrintable(QStringLiteral("style %1: %2 and %3")
                                                .arg(s)
                                                .arg(codes[i])
                                                .arg(codes[j])));
            }
        }
        // The upper side's pieces are the lower side's turned round: the same ink, elsewhere.
        const QImage lower = drawn(Style::International, -piece::ZOU, {132, 164});
        const QImage upper = drawn(Style::International, piece::ZOU, {132, 164});
        QVERIFY(std::abs(inkOf(upper).dark - inkOf(lower).dark) * 20 < inkOf(lower).dark);
        QVERIFY(upper != lower);
    }

    void theStyleIsReadFromWindowIniAndAnythingElseIsKanji2() {
        QTemporaryDir dir;
        const QString ini = dir.path() + "/window.ini";
        QCOMPARE(qt::readPieceStyle(ini), Style::Kanji2); // no file
        const std::pair<const char*, Style> files[] = {
            {"[window]\nwidth=800\n", Style::Kanji2},
            {"[view]\npieces=kanji1\n", Style::Kanji1},
            {"[view]\npieces=international\n", Style::International},
            {"[view]\npieces=kanji2\n", Style::Kanji2},
            {"[view]\npieces=International\n", Style::Kanji2},
            {"[view]\npieces=3\n", Style::Kanji2},
            {"[view]\npieces=\n", Style::Kanji2},
        };
        for (const auto& [text, style] : files) {
            QFile f(ini);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(text);
            f.close();
            QCOMPARE(qt::readPieceStyle(ini), style);
        }
        QVERIFY(qt::writePieceStyle(ini, Style::International));
        QCOMPARE(QSettings(ini, QSettings::IniFormat).value("view/pieces").toString(),
                 QStringLiteral("international"));
    }

    void chosenInTheOptionsMenuRedrawnAndKept() {
        QTemporaryDir dir;
        {
            QFile f(dir.path() + "/window.ini");
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[view]\npieces=international\n");
        }
        qt::MainWindow w(dir.path());
        QCOMPARE(qt::pieceStyle(), Style::International);
        // Behind the separator of ｵﾌﾟｼｮﾝ, after the move list and before the language, a submenu
        // of three marked items.
        const QStringList options = captionsOf(w.action(MenuItem::OPTION)->menu());
        QCOMPARE(options.mid(options.size() - 4),
                 (QStringList{"-", "指し手一覧", "駒の表示 / Pieces", "言語 / Language"}));
        QMenu* styles = w.action(MenuItem::PIECES)->menu();
        QVERIFY(styles != nullptr);
        QCOMPARE(captionsOf(styles), (QStringList{"二文字", "一文字", "International"}));
        QVERIFY(w.action(MenuItem::PIECES_INTERNATIONAL)->isChecked());
        QVERIFY(!w.action(MenuItem::PIECES_KANJI2)->isChecked());

        w.view().canvas().resize(600, 533);
        const QImage before = w.view().canvas().image();
        w.action(MenuItem::PIECES_KANJI1)->trigger();
        QCOMPARE(qt::pieceStyle(), Style::Kanji1);
        QVERIFY(w.action(MenuItem::PIECES_KANJI1)->isChecked());
        QVERIFY(!w.action(MenuItem::PIECES_INTERNATIONAL)->isChecked());
        QCOMPARE(w.view().canvas().image().size(), before.size());
        QVERIFY2(w.view().canvas().image() != before, "the pieces on the board are drawn again");
        QCOMPARE(qt::readPieceStyle(w.geometryFile()), Style::Kanji1);
        // Choosing the style shown again keeps its mark.
        w.action(MenuItem::PIECES_KANJI1)->trigger();
        QVERIFY(w.action(MenuItem::PIECES_KANJI1)->isChecked());
        w.action(MenuItem::PIECES_KANJI2)->trigger();
        QCOMPARE(qt::readPieceStyle(w.geometryFile()), Style::Kanji2);
        QCOMPARE(qt::pieceStyle(), Style::Kanji2);
    }
};

int runPieceStyleTest(int argc, char** argv) {
    PieceStyleTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "PieceStyleTest.moc"
