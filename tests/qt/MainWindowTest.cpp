// The real main window, built offscreen: its menu tree against the game's menu list.
#include "MainWindow.h"
#include "QtSound.h"
#include "RealWindow.h"
#include "WindowGeometry.h"
#include "screen/MenuTree.h"

#include "../fakes/Thinking.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest/QtTest>

// Apart from the window's own headers: it brings Qt in, and Qt must not come before Form1.h,
// which has a member named "slots".
#include "Boxes.h"

#include <algorithm>
#include <thread>

using namespace kelvore;

namespace {

// Captions with their nesting, as the player sees them.
const char* const kExpected[] = {
    "対局",          "  対局(人間)", "    スタート", "  対局(COM)", "    先手",   "    後手",
    "  COM対局ﾚﾍﾞﾙ", "    LEVEL1",   "    LEVEL2",   "    LEVEL3",  "  終わり",   "局面",
    "  最初",        "  反転",       "戻",           "進",          "△",          "▽",
    "棋譜",          "  読込",       "  書込",       "ｵﾌﾟｼｮﾝ",      "  背景画",   "    緑",
    "    畳",        "    竹",       "    宇宙",     "    煉瓦",    "  移動指導", "  経過時間",
    "  BGM",         "その他",
};

// The game's own items only: separators and our items behind them are left out.
void walk(const qt::MainWindow& w, const QList<QAction*>& actions, const QString& indent,
          QStringList& out) {
    for (QAction* a : actions) {
        if (a->isSeparator()) continue;
        const bool ours = std::any_of(kMenuTree.begin(), kMenuTree.end(), [&](const MenuEntry& e) {
            return e.ours && w.action(e.item) == a;
        });
        if (ours) continue;
        out << indent + a->text();
        if (a->menu()) walk(w, a->menu()->actions(), indent + QStringLiteral("  "), out);
    }
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QTimer boxes; // answers every message box (a machine without sound shows one at start)
private slots:
    void initTestCase() { kelvore::qt::test::answerEveryBox(boxes); }

    void generatedSoundsAreWavesTheSoundLayerLoads() {
        const QString folder = qt::MainWindow::soundFolder();
        for (const char* name : {"駒打音.wav", "禁止.wav", "その他.wav", "BGM.wav", "秒読み.wav"}) {
            QFile file(folder + "/" + QString::fromUtf8(name));
            QVERIFY2(file.open(QIODevice::ReadOnly), name);
            const QByteArray bytes = file.readAll();
            QCOMPARE(bytes.left(4), QByteArray("RIFF"));
            QCOMPARE(bytes.mid(8, 4), QByteArray("WAVE"));
            const std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
            const auto pcm = qt::decodeWave(data);
            QVERIFY2(pcm.has_value(), name);
            QVERIFY(!pcm->samples.empty());
            if (std::string(name) == "BGM.wav") {
                QVERIFY(pcm->samples.size() / 2 >= 30u * 44100u);
                // The end runs into the start no more abruptly than neighbouring samples do.
                std::vector<int> steps;
                for (std::size_t i = 2; i < pcm->samples.size(); i += 2)
                    steps.push_back(std::abs(pcm->samples[i] - pcm->samples[i - 2]));
                std::sort(steps.begin(), steps.end());
                const int seam = std::abs(pcm->samples[0] - pcm->samples[pcm->samples.size() - 2]);
                QVERIFY(seam <= steps[steps.size() * 99 / 100]);
            }
        }
        QVERIFY(!qt::decodeWave({'R', 'I', 'F', 'F'}).has_value());
    }

    void theMixerPlaysEffectsOverLoopingMusic() {
        qt::Mixer mixer;
        mixer.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        qt::Pcm music{std::vector<std::int16_t>(200, 1000)};
        qt::Pcm click{std::vector<std::int16_t>(20, 500)};
        const int m = mixer.add(music), c = mixer.add(click);
        mixer.play(m, true);
        mixer.play(c, false);
        char buf[400];
        QCOMPARE(mixer.read(buf, sizeof buf), qint64(400));
        const auto* s = reinterpret_cast<const std::int16_t*>(buf);
        QCOMPARE(int(s[0]), 1500);
        QCOMPARE(int(s[25]), 1000);
        QVERIFY(mixer.isPlaying(m));
        QVERIFY(!mixer.isPlaying(c));
        mixer.stop(m);
        mixer.read(buf, sizeof buf);
        QCOMPARE(int(s[0]), 0);
        mixer.release(m);
        mixer.play(m, true); // a released buffer plays nothing
        QVERIFY(!mixer.isPlaying(m));
    }

    void menuTreeMatchesTheGame() {
        qt::MainWindow w(dir.path());
        QCOMPARE(w.windowTitle(), QStringLiteral("Kelvore"));
        QStringList got;
        walk(w, w.menuBar()->actions(), QString(), got);
        QStringList expected;
        for (const char* e : kExpected) expected << QString::fromUtf8(e);
        QCOMPARE(got, expected);
    }

    void ourLevelsFollowLevel3BehindASeparator() {
        QTemporaryDir own; // the level chosen is remembered in its folder
        qt::MainWindow w(own.path());
        QMenu* levels = w.action(MenuItem::LEVEL)->menu();
        QVERIFY(levels != nullptr);
        QStringList items;
        for (QAction* a : levels->actions()) items << (a->isSeparator() ? "-" : a->text());
        QCOMPARE(items, (QStringList{"LEVEL1", "LEVEL2", "LEVEL3", "-", "LEVEL4", "LEVEL5"}));
        QVERIFY(w.action(MenuItem::LEVEL3)->isChecked());
        w.action(MenuItem::LEVEL4)->trigger();
        QVERIFY(w.action(MenuItem::LEVEL4)->isChecked());
        QVERIFY(!w.action(MenuItem::LEVEL3)->isChecked());
        QCOMPARE(w.form().ComLevel, 4);
        w.action(MenuItem::LEVEL4)->trigger();
        QVERIFY2(w.action(MenuItem::LEVEL4)->isChecked(), "a second choice keeps the mark");
    }

    void postedWorkRunsOnTheWindowThreadAndNeverInsideABox() {
        qt::MainWindow w(dir.path());
        QStringList order;
        bool onWindowThread = false;
        std::thread worker([&] {
            w.post([&] {
                onWindowThread = QThread::currentThread() == w.thread();
                order << "from the worker";
            });
        });
        worker.join();
        QVERIFY(order.isEmpty());
        QTRY_COMPARE(order, QStringList{"from the worker"});
        QVERIFY(onWindowThread);

        // Posted while a box waits for its answer: held back until the handler is done.
        order.clear();
        QTimer::singleShot(0, &w, [&] { w.post([&] { order << "posted"; }); });
        w.messageBox("OKですか？", "再開(COM)", Buttons::OK, Icon::None);
        order << "box answered";
        QTRY_COMPARE(order, (QStringList{"box answered", "posted"}));
    }

    void theWindowLivesWhileTheComputerThinksAtLevel4() {
        qt::MainWindow w(dir.path());
        QVERIFY(qt::test::showAndWait(w));
        Form1& f = w.form();
        test::thinkWithoutEnd(f);            // at LEVEL4
        w.action(MenuItem::GOTE)->trigger(); // the computer moves first
        QVERIFY(f.思考中());
        QVERIFY2(w.timer().isEnabled(), "the clock timer runs");
        // The event loop goes on: the computer's clock ticks while it thinks.
        const long long shownBefore = f.LastShownSecond;
        QTRY_VERIFY_WITH_TIMEOUT(f.LastShownSecond > shownBefore, 60000);
        QVERIFY(f.思考中());
        QCOMPARE(f.KifuCursor, 0);
        f.Searching->stopAndPlay();
        QTRY_COMPARE(f.KifuCursor, 1);
        QCOMPARE(f.Turn, f.ManTurn);
        QVERIFY(!f.思考中());
    }

    void marksAndEnabledStatesAtStart() {
        QTemporaryDir first; // the first start: no level remembered yet
        qt::MainWindow w(first.path());
        QVERIFY(w.action(MenuItem::LEVEL3)->isChecked());
        QVERIFY(!w.action(MenuItem::LEVEL1)->isChecked());
        QVERIFY(w.action(MenuItem::MIDORI)->isChecked());
        QVERIFY(w.action(MenuItem::KEIKA)->isChecked());
        QVERIFY(w.action(MenuItem::START)->isEnabled());
        QVERIFY(w.action(MenuItem::OWARI)->isEnabled());
        QVERIFY(w.action(MenuItem::SENTE)->isEnabled());
    }

    void startCommandRunsTheGameAndKeepsMarksInTheGamesHands() {
        qt::MainWindow w(dir.path());
        w.action(MenuItem::START)->trigger(); // its box is answered

        QCOMPARE(w.form().Turn, 1);
        QCOMPARE(w.form().ManTurn, 1);
    }

    void realMouseClicksMakeAMoveAtAScaledSize() {
        qt::MainWindow w(dir.path());
        w.show();
        w.resize(1200, 1100);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.action(MenuItem::START)->trigger();
        QVERIFY(w.view().width() > 900);
        qt::test::clickMove(w, 3, 7, 3, 6);
        QCOMPARE(w.form().Board[3][6], -10);
        QCOMPARE(w.form().Board[3][7], 0);
        QCOMPARE(w.form().Turn, -1);
    }

    // The first start: the board at about 85 % of the available height, the game's aspect,
    // centred; never beyond the screen, never below the base size when the screen allows it.
    void theFirstStartFillsMostOfTheScreensHeight() {
        const int menu = 25;
        struct Case {
            QRect available;
            int viewHeight;
        };
        for (const Case c : {Case{{0, 0, 1920, 1040}, 884}, Case{{0, 30, 1280, 770}, 655},
                             Case{{0, 0, 960, 540}, 475}, Case{{0, 0, 640, 480}, 415},
                             Case{{100, 0, 3000, 600}, 533}, Case{{0, 0, 700, 1400}, 622}}) {
            const QRect g = qt::firstGeometry(c.available, menu);
            const QString where =
                QStringLiteral("%1 x %2").arg(c.available.width()).arg(c.available.height());
            QVERIFY2(std::abs(g.height() - menu - c.viewHeight) <= 1, qPrintable(where));
            QVERIFY2(std::abs(g.width() - (g.height() - menu) * 9.0 / 8.0) <= 1.5,
                     qPrintable(where));
            QVERIFY2(c.available.contains(g), qPrintable(where));
            QVERIFY2(std::abs(g.center().x() - c.available.center().x()) <= 1, qPrintable(where));
        }
    }

    // A remembered size larger than today's screen is shrunk to fit and moved onto it; one
    // that fits is kept as it was.
    void aRememberedSizeLargerThanTheScreenIsShrunk() {
        const QRect screen(0, 0, 1280, 770);
        const QRect big = qt::fitGeometry({-300, -200, 2500, 1400}, screen);
        QVERIFY(screen.contains(big));
        QCOMPARE(big.size(), QSize(1280, 770 - qt::kTitleBarAllowance));
        const QRect off = qt::fitGeometry({3000, 500, 700, 600}, screen);
        QCOMPARE(off, QRect(580, 170, 700, 600));
        QCOMPARE(qt::fitGeometry({100, 80, 700, 600}, screen), QRect(100, 80, 700, 600));

        // The real window with a remembered size far beyond its screen.
        qt::writeGeometry(dir.path() + "/window.ini", {QRect(-500, -400, 9000, 7000), false});
        qt::MainWindow w(dir.path());
        const QRect available = w.screen()->availableGeometry();
        QVERIFY2(available.contains(w.geometry()), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                  .arg(w.x())
                                                                  .arg(w.y())
                                                                  .arg(w.width())
                                                                  .arg(w.height())));
        QFile::remove(dir.path() + "/window.ini");
    }

    // The size and place are written when the window closes and come back at the next start,
    // in a file of their own: the settings file keeps its four lines.
    void theGeometryComesBackAfterARestart() {
        QTemporaryDir own;
        const QRect place(38, 50, 620, 440);
        {
            qt::MainWindow w(own.path());
            QVERIFY(qt::test::showAndWait(w));
            w.setGeometry(place);
            QTRY_COMPARE(w.geometry(), place);
            w.close();
        }
        QVERIFY(QFile::exists(own.path() + "/window.ini"));
        qt::MainWindow again(own.path());
        QCOMPARE(again.geometry(), place);
        QFile ini(own.path() + "/Kelvore.ini");
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QCOMPARE(ini.readAll().count("\r\n"), 4);
    }

    // Around the game's window the view shows the background, never black, on screen as in
    // the canvas; a click there does nothing, while one on the board is answered.
    void theMarginsShowTheBackgroundAndIgnoreClicks() {
        qt::MainWindow w(dir.path());
        QVERIFY(qt::test::showAndWait(w));
        w.resize(1500, 600);
        QTRY_VERIFY(w.view().width() > 1400);
        QTest::qWait(50);
        const double dpr = w.view().devicePixelRatioF();
        const qt::QtCanvas& canvas = w.view().canvas();
        QCOMPARE(canvas.image().width(), int(std::lround(w.view().width() * dpr)));
        const QPoint margin(10, w.view().height() / 2);
        QVERIFY(w.view().toTwips(margin).x() < 0);
        const QImage shown = w.view().grab().toImage();
        const QPoint device = (QPointF(margin) * dpr).toPoint();
        const QRgb pixel = canvas.image().pixel(device);
        QCOMPARE(shown.pixel(device), pixel);
        QVERIFY(qRed(pixel) + qGreen(pixel) + qBlue(pixel) > 60);

        // Boxes are counted here, and only here, while they are answered.
        boxes.stop();
        int answered = 0;
        QTimer counter;
        connect(&counter, &QTimer::timeout, [&] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible()) {
                    ++answered;
                    box->accept();
                }
        });
        counter.start(5);
        QTest::mouseClick(&w.view(), Qt::LeftButton, {}, margin);
        QCOMPARE(answered, 0);
        // The same click on the board, with no game running, asks for one to be started.
        qt::test::clickCell(w, 5, 5);
        QCOMPARE(answered, 1);
        counter.stop();
        boxes.start(20);

        // Another background: the margins follow.
        w.action(MenuItem::RENGA)->trigger();
        QVERIFY(w.action(MenuItem::RENGA)->isChecked());
        QVERIFY(canvas.image().pixel(device) != pixel);
        w.action(MenuItem::MIDORI)->trigger();
        QCOMPARE(canvas.image().pixel(device), pixel);
    }

    // A menu opened from the menu bar and closed with Esc left the keyboard focus on the menu
    // bar, which then kept every Esc for itself: the game no longer quit (F2 still worked).
    void escAfterAMenuClosedByEscQuits() {
        QTemporaryDir own;
        qt::MainWindow w(own.path());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QMenuBar* bar = w.menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(w.action(MenuItem::TAIKYOKU)).center());
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        QWidget* menu = QApplication::activePopupWidget();
        QTest::keyClick(menu->windowHandle(), Qt::Key_Escape);
        QTRY_VERIFY(QApplication::activePopupWidget() == nullptr);
        QVERIFY2(!w.form().Ended, "the first Esc only closes the menu");
        // Other keys do nothing; F2 still turns the clocks off.
        QVERIFY(w.action(MenuItem::KEIKA)->isChecked());
        QTest::keyClick(w.windowHandle(), Qt::Key_A);
        QTest::keyClick(w.windowHandle(), Qt::Key_F2);
        QVERIFY(!w.action(MenuItem::KEIKA)->isChecked());
        QVERIFY(!w.form().Ended);
        QTest::keyClick(w.windowHandle(), Qt::Key_Escape);
        QVERIFY2(w.form().Ended, "the next Esc quits");
        QVERIFY(!w.isVisible());
    }

    // The record panel left with the keyboard (its RETURN button pressed with Space): Esc
    // quits as before.
    void escAfterTheRecordPanelWasLeftByTheKeyboardQuits() {
        QTemporaryDir own;
        qt::MainWindow w(own.path());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        // One move of a game between two people, to have something to write.
        w.action(MenuItem::START)->trigger();
        qt::test::clickMove(w, 3, 7, 3, 6);
        QCOMPARE(w.form().KifuCursor, 1);
        w.action(MenuItem::KIFU_WRITE)->trigger();
        w.recordPanel().setFieldText(1, "keyboard");
        QPushButton* button = w.recordPanel().returnButton();
        QVERIFY(button->isVisible());
        button->setFocus();
        QTest::keyClick(w.windowHandle(), Qt::Key_Space); // writes, and a box says so
        QTRY_VERIFY(!button->isVisible());
        QVERIFY(QFile::exists(own.path() + QString::fromUtf8("/keyboard.棋譜")));
        QVERIFY(!w.form().Ended);
        QTest::keyClick(w.windowHandle(), Qt::Key_Escape);
        QVERIFY(w.form().Ended);
    }

    void clicksMapBackToWindowUnitsAtEverySize() {
        qt::MainWindow w(dir.path());
        const QRectF cell = qt::BoardView::cell(1, 1);
        for (QSize size : {QSize(600, 533), QSize(1200, 1066), QSize(900, 500)}) {
            w.view().resize(size);
            const QPointF back = w.view().toTwips(qt::test::cellCentre(w.view(), 1, 1));
            QVERIFY(back.x() > cell.left() && back.x() < cell.right());
            QVERIFY(back.y() > cell.top() && back.y() < cell.bottom());
        }
    }
};

int runMainWindowTest(int argc, char** argv) {
    MainWindowTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "MainWindowTest.moc"
