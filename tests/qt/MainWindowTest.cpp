// The real main window, built offscreen: its menu tree against the game's menu list.
#include "MainWindow.h"

#include <QAction>
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
private slots:
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

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
