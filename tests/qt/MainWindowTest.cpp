// The real main window, built offscreen: its menu tree against the game's menu list.
#include "MainWindow.h"
#include "QtSound.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest/QtTest>

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

void walk(const QList<QAction*>& actions, const QString& indent, QStringList& out) {
    for (QAction* a : actions) {
        if (a->isSeparator()) continue;
        out << indent + a->text();
        if (a->menu()) walk(a->menu()->actions(), indent + QStringLiteral("  "), out);
    }
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QTimer boxes; // answers every message box (a machine without sound shows one at start)
private slots:
    void initTestCase() {
        connect(&boxes, &QTimer::timeout, [] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible())
                    box->accept();
        });
        boxes.start(20);
    }

    void generatedSoundsAreWavesTheSoundLayerLoads() {
        const QString folder = qt::MainWindow::soundFolder();
        for (const char* name : {"駒打音.wav", "禁止.wav", "その他.wav", "BGM.wav"}) {
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
        walk(w.menuBar()->actions(), QString(), got);
        QStringList expected;
        for (const char* e : kExpected) expected << QString::fromUtf8(e);
        QCOMPARE(got, expected);
    }

    void marksAndEnabledStatesAtStart() {
        qt::MainWindow w(dir.path());
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
        // The start command shows a modal box; answer it as soon as it opens.
        QTimer::singleShot(0, [] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(top)) box->accept();
        });
        w.action(MenuItem::START)->trigger();
        QCOMPARE(w.form().Turn, 1);
        QCOMPARE(w.form().ManTurn, 1);
    }

    void realMouseClicksMakeAMoveAtAScaledSize() {
        qt::MainWindow w(dir.path());
        w.show();
        w.resize(1200, 1100);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // Answer every message box as soon as it opens.
        QTimer answer;
        connect(&answer, &QTimer::timeout, [] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible())
                    box->accept();
        });
        answer.start(10);
        w.action(MenuItem::START)->trigger();
        auto centre = [&](int x, int y) {
            return w.view().fromTwips({1050.0 + x * 495, 100.0 + y * 615, 495, 615}).center();
        };
        QVERIFY(w.view().width() > 900);
        QTest::mouseClick(&w.view(), Qt::LeftButton, {}, centre(3, 7));
        QTest::mouseClick(&w.view(), Qt::LeftButton, {}, centre(3, 6));
        QCOMPARE(w.form().Board[3][6], -10);
        QCOMPARE(w.form().Board[3][7], 0);
        QCOMPARE(w.form().Turn, -1);
    }

    void clicksMapBackToWindowUnitsAtEverySize() {
        qt::MainWindow w(dir.path());
        for (QSize size : {QSize(600, 533), QSize(1200, 1066), QSize(900, 500)}) {
            w.view().resize(size);
            const QRect cell = w.view().fromTwips({1545, 715, 495, 615});
            const QPointF back = w.view().toTwips(cell.center());
            QVERIFY(back.x() > 1545 && back.x() < 2040);
            QVERIFY(back.y() > 715 && back.y() < 1330);
        }
    }
};

int runMainWindowTest(int argc, char** argv) {
    MainWindowTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "MainWindowTest.moc"
