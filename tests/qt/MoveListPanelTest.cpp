// The move list beside the board in the real window, offscreen: it follows the game, a click
// shows a move, the menu item hides and shows it and the choice is kept, the hint is marked on
// the board, and there is room for the analysis below the list.
#include "MoveListPanel.h"
#include "MainWindow.h"
#include "RealWindow.h"
#include "WindowGeometry.h"
#include "kept/GameKeeper.h"

#include "../fakes/Clicks.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest/QtTest>

// Apart from the window's own headers: it brings Qt in, and Qt must not come before Form1.h.
#include "Boxes.h"

using namespace kelvore;

namespace {

QString moveText(const qt::MoveListPanel& panel, int row) {
    auto& p = const_cast<qt::MoveListPanel&>(panel);
    return p.model().index(row, qt::MoveListModel::Move).data().toString();
}

int selectedRow(const QTableView* list) {
    const QModelIndexList rows = list->selectionModel()->selectedRows();
    return rows.size() == 1 ? rows.front().row() : -1;
}

} // namespace

class MoveListPanelTest : public QObject {
    Q_OBJECT
    QTimer boxes;
private slots:
    void initTestCase() { kelvore::qt::test::answerEveryBox(boxes); }

    void theListFollowsTheGameAndAClickShowsThatPosition() {
        qt::test::FreshWindow fresh;
        auto& [dir, w, f, panel] = fresh;
        QVERIFY(qt::test::showAndWait(w));
        QVERIFY(panel.isVisible());
        QCOMPARE(panel.model().rowCount(), 0);
        w.action(MenuItem::START)->trigger();
        test::move(f, 3, 7, 3, 6);
        test::move(f, 7, 3, 7, 4);
        test::move(f, 2, 9, 3, 7);
        QCOMPARE(panel.model().rowCount(), 4);
        QCOMPARE(moveText(panel, 0), QStringLiteral("開始局面"));
        QCOMPARE(moveText(panel, 1), QStringLiteral("▲７六歩(77)"));
        QCOMPARE(moveText(panel, 2), QStringLiteral("△３四歩(33)"));
        QCOMPARE(moveText(panel, 3), QStringLiteral("▲７七桂(89)"));
        QCOMPARE(panel.model().index(2, qt::MoveListModel::Move).data(Qt::AccessibleTextRole),
                 QVariant(QStringLiteral("2手目 △３四歩(33) 0:00")));
        QCOMPARE(selectedRow(panel.list()), 3);

        // A real click on the first move: the board stands after it, as after two 戻.
        const QRect row1 = panel.list()->visualRect(panel.model().index(1, 1));
        QTest::mouseClick(panel.list()->viewport(), Qt::LeftButton, {}, row1.center());
        QCOMPARE(f.KifuCursor, 1);
        QCOMPARE(f.Board[3][6], -10);
        QCOMPARE(f.Board[7][3], 10);
        QCOMPARE(f.ResumePending, 1);
        QCOMPARE(selectedRow(panel.list()), 1);
        QVERIFY2(panel.model().rowCount() == 4, "the list keeps the moves ahead");
        QVERIFY2(panel.list()->focusPolicy() == Qt::NoFocus, "the keys stay the window's");
    }

    void theMenuItemHidesAndShowsThePanelAndTheChoiceIsKept() {
        QTemporaryDir dir;
        {
            qt::MainWindow w(dir.path());
            QVERIFY(qt::test::showAndWait(w));
            QAction* item = w.action(MenuItem::MOVE_LIST);
            QCOMPARE(item->text(), QStringLiteral("指し手一覧"));
            QVERIFY(item->isCheckable() && item->isChecked());
            // Behind a separator after the game's items of ｵﾌﾟｼｮﾝ, the first of ours; the
            // language comes last, in both scripts, 日本語 marked when none is chosen.
            const QList<QAction*> options = w.action(MenuItem::OPTION)->menu()->actions();
            const qsizetype at = options.indexOf(item);
            QVERIFY(at >= 1 && options[at - 1]->isSeparator());
            QCOMPARE(options.indexOf(w.action(MenuItem::BGM)), at - 2);
            QCOMPARE(options.last(), w.action(MenuItem::LANGUAGE));
            QCOMPARE(options.last()->text(), QString::fromUtf8("言語 / Language"));
            QVERIFY(w.action(MenuItem::LANGUAGE_JA)->isChecked());
            QVERIFY(!w.action(MenuItem::LANGUAGE_EN)->isChecked());

            const int reserved = w.view().canvas().reservedRight();
            QVERIFY(reserved > 0);
            const QRect board =
                w.view().fromTwips({0, 0, qt::QtCanvas::kWidth, qt::QtCanvas::kHeight});
            QVERIFY2(board.right() <= w.moveList().geometry().left(), "the board is left of it");

            const int before = w.width();
            item->trigger();
            QVERIFY(!item->isChecked());
            QVERIFY(!w.moveList().isVisible());
            QCOMPARE(w.view().canvas().reservedRight(), 0);
            QVERIFY2(w.width() < before, "the window gives the panel's room back");
            QCOMPARE(qt::readMoveListShown(w.geometryFile()), std::optional<bool>(false));
        }
        {
            qt::MainWindow again(dir.path());
            QVERIFY(!again.action(MenuItem::MOVE_LIST)->isChecked());
            QVERIFY(again.moveList().isHidden());
            // The window's geometry written beside it leaves the choice alone.
            again.rememberGeometry();
            QCOMPARE(qt::readMoveListShown(again.geometryFile()), std::optional<bool>(false));
            again.action(MenuItem::MOVE_LIST)->trigger();
            QVERIFY(!again.moveList().isHidden());
            QCOMPARE(qt::readMoveListShown(again.geometryFile()), std::optional<bool>(true));
        }
    }

    // A size remembered before the move list existed grows by the list's width, once: the
    // window then writes down that the list is shown.
    void aSizeRememberedWithoutTheListMakesRoomForIt() {
        QTemporaryDir dir;
        const QString ini = dir.path() + QStringLiteral("/window.ini");
        QVERIFY(qt::writeGeometry(ini, {QRect(10, 60, 500, 400), false}));
        int widened = 0;
        {
            qt::MainWindow w(dir.path());
            const int menu = w.menuBar()->sizeHint().height();
            const int side = w.moveList().widthFor(400 - menu);
            const QRect available = w.screen()->availableGeometry();
            QCOMPARE(w.width(), std::min(available.width(), 500 + side));
            widened = w.width();
            w.rememberGeometry();
        }
        QCOMPARE(qt::readMoveListShown(ini), std::optional<bool>(true));
        qt::MainWindow again(dir.path());
        QCOMPARE(again.width(), widened);
    }

    void theHintIsMarkedOnTheBoardAndClearedByTheNextMove() {
        qt::test::FreshWindow fresh;
        auto& [dir, w, f, panel] = fresh;
        QVERIFY(qt::test::showAndWait(w));
        engine::Limits limits;
        limits.depth = 2;
        panel.hints().fixedLimits = limits;
        QCOMPARE(w.action(MenuItem::HINT)->text(), QStringLiteral("ヒント"));
        w.action(MenuItem::START)->trigger();
        w.action(MenuItem::HINT)->trigger();
        QTRY_VERIFY(panel.hints().shown().has_value());
        QCOMPARE(w.view().markedCells().size(), 2);
        QVERIFY(panel.hintLabel()->isVisible());
        QVERIFY2(panel.hintLabel()->text().startsWith(QStringLiteral("ヒント：▲")),
                 qPrintable(panel.hintLabel()->text()));
        QVERIFY(panel.hintLabel()->text().contains(QStringLiteral("評価値")));

        // The destination is outlined on screen in the hint's own colour.
        const QRect cell = w.view().fromTwips(w.view().markedCells()[1]);
        const QImage shown = w.view().grab().toImage();
        const double dpr = w.view().devicePixelRatioF();
        const QPoint edge = (QPointF(cell.center().x(), cell.top()) * dpr).toPoint();
        bool outlined = false;
        for (int dy = -2; dy <= 2; ++dy)
            outlined |= QColor(shown.pixel(edge + QPoint(0, dy))) == qt::BoardView::markColour();
        QVERIFY(outlined);
        QVERIFY(QColor(shown.pixel((QPointF(cell.center()) * dpr).toPoint())) !=
                qt::BoardView::markColour());

        // Its line is links too: its first move on the board, and a click there returns.
        const hint::Hint h = *panel.hints().shown();
        QVERIFY(panel.hintLineLabel()->isVisible());
        const std::vector<int> before(&f.Board[0][0], &f.Board[0][0] + 100);
        emit panel.hintLineLabel()->linkActivated(QStringLiteral("h:0"));
        QVERIFY(panel.variation().shown());
        QCOMPARE(f.Board[h.move.toX][h.move.toY], h.move.placed);
        QCOMPARE(f.KifuLength, 0);
        QTest::mouseClick(&w.view(), Qt::LeftButton, {},
                          w.view().fromTwips(qt::BoardView::cell(5, 5)).center());
        QVERIFY(!panel.variation().shown());
        QVERIFY(std::vector<int>(&f.Board[0][0], &f.Board[0][0] + 100) == before);
        test::move(f, h.move.fromX, h.move.fromY, h.move.toX, h.move.toY);
        QVERIFY2(f.KifuCursor == 1, "the hint's move is one the game plays");
        QVERIFY(!panel.hints().shown());
        QVERIFY(w.view().markedCells().isEmpty());
        QVERIFY(!panel.hintLabel()->isVisible());
    }

    // The panel's text grows with the window; the first size makes room for the panel beside a
    // board of the usual size where the screen is wide enough, and shrinks the board where not.
    void thePanelScalesAndTheFirstSizeMakesRoomForIt() {
        const auto side = [](int h) { return qt::MoveListPanel::textSizeFor(h) * 19; };
        const QRect wide(0, 0, 1920, 1040);
        const QRect g = qt::firstGeometry(wide, 25, side);
        QVERIFY(wide.contains(g));
        QCOMPARE(g.height() - 25, 884);
        QCOMPARE(g.width(), int(std::lround(884 * 9.0 / 8.0)) + side(884));
        const QRect narrow(0, 0, 1024, 768);
        const QRect n = qt::firstGeometry(narrow, 25, side);
        QVERIFY(narrow.contains(n));
        const int boardWidth = n.width() - side(n.height() - 25);
        QVERIFY(std::abs(boardWidth - (n.height() - 25) * 9.0 / 8.0) <= 2);

        QTemporaryDir dir;
        qt::MainWindow w(dir.path());
        QVERIFY(qt::test::showAndWait(w));
        w.resize(900, 600);
        QTRY_COMPARE(w.moveList().height() > 0, true);
        QTest::qWait(20);
        const int small = w.moveList().list()->font().pixelSize();
        w.resize(1800, 1200);
        QTRY_VERIFY(w.moveList().list()->font().pixelSize() > small);
        QVERIFY(w.moveList().width() > 250);
    }

    // The analysis joins the panel below the list; its marks show in the list's own column.
    void theAnalysisHasAPlaceBelowTheListAndItsMarksAColumn() {
        qt::test::FreshWindow fresh;
        auto& [dir, w, f, panel] = fresh;
        QVERIFY(qt::test::showAndWait(w));
        auto* analysis = new QLabel(QStringLiteral("解析"));
        panel.setAnalysisWidget(analysis);
        QTRY_VERIFY(analysis->isVisible());
        QVERIFY(analysis->mapTo(&panel, QPoint(0, 0)).y() >
                panel.list()->mapTo(&panel, QPoint(0, panel.list()->height() - 1)).y());

        w.action(MenuItem::START)->trigger();
        test::move(f, 3, 7, 3, 6);
        test::move(f, 7, 3, 7, 4);
        QVERIFY(panel.list()->isColumnHidden(qt::MoveListModel::Mark));
        QSignalSpy replaced(&panel, &qt::MoveListPanel::gameReplaced);
        QSignalSpy changed(&panel, &qt::MoveListPanel::changed);
        panel.model().setMark(2, QStringLiteral("悪手"));
        QVERIFY(!panel.list()->isColumnHidden(qt::MoveListModel::Mark));
        QCOMPARE(panel.model().index(2, qt::MoveListModel::Mark).data().toString(),
                 QStringLiteral("悪手"));
        // A move added keeps the marks; a new game clears them.
        test::move(f, 2, 7, 2, 6);
        QCOMPARE(panel.model().mark(2), QStringLiteral("悪手"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(replaced.count(), 0);
        w.action(MenuItem::CANCEL)->trigger();
        w.action(MenuItem::START)->trigger();
        test::move(f, 7, 7, 7, 6);
        QCOMPARE(replaced.count(), 1);
        QVERIFY(!panel.model().hasMarks());
        QVERIFY(panel.list()->isColumnHidden(qt::MoveListModel::Mark));
        QVERIFY2(w.keeper().written().size() == 1u, "the game 最初 ended was kept");

        // A wider panel: the board makes room.
        const int reserved = w.view().canvas().reservedRight();
        panel.setWidthInCharacters(40);
        QVERIFY(w.view().canvas().reservedRight() > reserved);
    }
};

int runMoveListPanelTest(int argc, char** argv) {
    MoveListPanelTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "MoveListPanelTest.moc"
