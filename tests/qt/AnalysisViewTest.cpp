// The engine's judgement of a game in the window: the graph's clicks and its mark of the
// current move, the analysis view fed by a real analysis, cancelling and quitting during one,
// and the setting kept in window.ini.
#include "AnalysisView.h"
#include "AnalysisController.h"
#include "AnalysisSettings.h"
#include "EvaluationGraph.h"
#include "MainWindow.h"
#include "MoveListPanel.h"
#include "RealWindow.h"
#include "WindowGeometry.h"
#include "analysis/Explanation.h"
#include "engine/Snapshot.h"

#include "../fakes/Clicks.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest/QtTest>

// Apart from the window's own headers: it brings Qt in, and Qt must not come before Form1.h,
// which has a member named "slots".
#include "Boxes.h"

using namespace kelvore;

namespace {

// Plays a board move on a position and gives it as a record keeps it.
RecordMove step(engine::GameSnapshot& p, int fx, int fy, int tx, int ty) {
    const RecordMove m{fx, fy, tx, ty, p.board[fx][fy], p.board[fx][fy], p.board[tx][ty]};
    applyMove(p, m);
    return m;
}

// The lower side moves first and leaves its bishop on 5五, where the upper bishop takes it.
const int kBlunderMoves[7][4] = {{3, 7, 3, 6}, {7, 3, 7, 4}, {8, 7, 8, 6}, {2, 3, 2, 4},
                                 {2, 8, 5, 5}, {8, 2, 5, 5}, {5, 7, 5, 6}};

GameRecord blunderGame() {
    GameRecord g;
    g.start = standardStart(-1);
    engine::GameSnapshot p = g.start;
    for (const auto& m : kBlunderMoves) g.moves.push_back(step(p, m[0], m[1], m[2], m[3]));
    return g;
}

QVector<qt::GraphPoint> flatPoints(int n) {
    QVector<qt::GraphPoint> points;
    for (int i = 0; i < n; ++i) {
        qt::GraphPoint g;
        g.known = true;
        g.value = (i % 2 ? 30 : -30);
        g.text = QStringLiteral("%1手目").arg(i);
        points << g;
    }
    return points;
}

// What a label shows, without the links of a rich text.
QString plain(const QLabel* label) {
    QTextDocument doc;
    doc.setHtml(label->text());
    return doc.toPlainText();
}

bool boardShows(const Form1& f, const engine::GameSnapshot& p) {
    return std::memcmp(f.Board, p.board, sizeof p.board) == 0 &&
           std::memcmp(f.OwnHand, p.lowerHand, sizeof p.lowerHand) == 0 &&
           std::memcmp(f.EnemyHand, p.upperHand, sizeof p.upperHand) == 0;
}

bool dark(const QImage& image, double x, double y) {
    const QColor c = image.pixelColor(int(x), int(y));
    return c.red() < 80 && c.green() < 80 && c.blue() < 80;
}

} // namespace

class AnalysisViewTest : public QObject {
    Q_OBJECT
    QTimer boxes;
    QTemporaryDir dir;
private slots:
    void initTestCase() { kelvore::qt::test::answerEveryBox(boxes); }

    // A click chooses the nearest position wherever it falls over the graph, at any size.
    void aClickOnTheGraphChoosesTheNearestPosition() {
        qt::EvaluationGraph graph;
        QSignalSpy chosen(&graph, &qt::EvaluationGraph::plyClicked);
        QTest::mouseClick(&graph, Qt::LeftButton, {}, QPoint(50, 50));
        QCOMPARE(chosen.count(), 0); // no game: nothing to choose
        graph.setPoints(flatPoints(41), 2000);
        for (const QSize size : {QSize(400, 150), QSize(1600, 420)}) {
            graph.resize(size);
            chosen.clear();
            const int y = int(graph.plotArea().center().y());
            QTest::mouseClick(&graph, Qt::LeftButton, {}, QPoint(int(graph.xOf(17)) + 1, y));
            QTest::mouseClick(&graph, Qt::LeftButton, {}, QPoint(2, y));
            QTest::mouseClick(&graph, Qt::LeftButton, {}, QPoint(size.width() - 2, 5));
            // Just past the middle between 22 and 23 is 23.
            const double between = (graph.xOf(22) + graph.xOf(23)) / 2 + 2;
            QTest::mouseClick(&graph, Qt::LeftButton, {}, QPoint(int(between), size.height() - 3));
            QCOMPARE(chosen.count(), 4);
            QCOMPARE(chosen.at(0).at(0).toInt(), 17);
            QCOMPARE(chosen.at(1).at(0).toInt(), 0);
            QCOMPARE(chosen.at(2).at(0).toInt(), 40);
            QCOMPARE(chosen.at(3).at(0).toInt(), 23);
            QCOMPARE(graph.currentPly(), 23);
        }
        QTest::mouseClick(&graph, Qt::RightButton, {}, QPoint(int(graph.xOf(5)), 20));
        QCOMPARE(graph.currentPly(), 23); // only the left button chooses
    }

    // The current position is drawn as a line across the graph and is said by the description.
    void theCurrentPositionIsMarked() {
        qt::EvaluationGraph graph;
        graph.resize(800, 240);
        QVector<qt::GraphPoint> points = flatPoints(11);
        points[6].mark = qt::GraphPoint::Mark::Bad;
        points[6].text = QStringLiteral("6手目 △同　角(22) +2114 悪手");
        points[10].known = false;
        graph.setPoints(points, 2000);
        graph.setCurrentPly(6);
        const double y = graph.plotArea().top() + graph.plotArea().height() * 0.15;
        const QImage shot = graph.grab().toImage();
        const double ratio = shot.devicePixelRatio();
        QVERIFY(dark(shot, graph.xOf(6) * ratio, y * ratio));
        QVERIFY(!dark(shot, graph.xOf(4) * ratio, y * ratio));
        QVERIFY(graph.accessibleDescription().contains(
            QStringLiteral("現在: 6手目 △同　角(22) +2114 悪手")));
        // A position not yet searched has no score to say.
        QVERIFY(!graph.accessibleDescription().contains(QStringLiteral("10手目")));
        graph.setCurrentPly(2);
        const QImage moved = graph.grab().toImage();
        QVERIFY(!dark(moved, graph.xOf(6) * ratio, y * ratio));
        QVERIFY(dark(moved, graph.xOf(2) * ratio, y * ratio));
        graph.setCurrentPly(99);
        QCOMPARE(graph.currentPly(), 10);
    }

    // A real analysis at a fixed depth, its verdicts coming back through the window: the
    // blunder is marked in the view, its reason shown, and a click on the graph asks for its
    // position.
    void theViewShowsTheJudgementOfAGame() {
        qt::MainWindow window(dir.path());
        qt::AnalysisController controller(window);
        engine::Limits depth;
        depth.depth = 5;
        controller.setFixedLimits(depth);
        qt::AnalysisView view(controller);
        view.resize(900, 700);
        QSignalSpy finished(&controller, &qt::AnalysisController::finished);
        QSignalSpy chosen(&controller, &qt::AnalysisController::plyChosen);
        QCOMPARE(view.statusLabel()->text(), QStringLiteral("棋譜の解析はまだありません"));
        controller.start(blunderGame());
        QVERIFY(controller.running());
        QVERIFY(view.cancelButton()->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(finished.count() == 1, 5 * 60 * 1000);
        QVERIFY(!controller.running());
        QVERIFY(!view.cancelButton()->isEnabled());
        QCOMPARE(view.progressBar()->value(), 8);
        QCOMPARE(view.progressBar()->maximum(), 8);
        QCOMPARE(view.statusLabel()->text(), QStringLiteral("解析が終わりました"));
        QCOMPARE(controller.markOf(4), QStringLiteral("悪手"));
        for (int i : {0, 1, 2, 3, 5, 6}) QCOMPARE(controller.markOf(i), QString());
        QVERIFY(view.summaryLabel(notation::Mark::Sente)
                    ->text()
                    .startsWith(QStringLiteral("▲先手　疑問手 0　悪手 1　平均損失 ")));
        QVERIFY(view.summaryLabel(notation::Mark::Gote)
                    ->text()
                    .startsWith(QStringLiteral("△後手　疑問手 0　悪手 0　平均損失 ")));
        QCOMPARE(view.graph()->points().size(), 8);
        QCOMPARE(view.graph()->points()[5].mark, qt::GraphPoint::Mark::Bad);

        // The move list selects the blunder: the view says what it cost and why.
        controller.setCurrentPly(5);
        QCOMPARE(view.graph()->currentPly(), 5);
        QCOMPARE(view.titleLabel()->text(), QStringLiteral("5手目 ▲５五角(88)　悪手"));
        QVERIFY(view.scoreLabel()->text().startsWith(QStringLiteral("評価値（▲から）-")));
        QVERIFY(view.scoreLabel()->text().contains(QStringLiteral("▲の勝率 ")));
        QVERIFY(view.bestLabel()->text().startsWith(QStringLiteral("最善手　▲")));
        QVERIFY(plain(view.lineLabel()).startsWith(QStringLiteral("読み筋　▲")));
        QVERIFY2(plain(view.lineLabel()).contains(QStringLiteral("同　")),
                 qPrintable(plain(view.lineLabel())));
        QCOMPARE(view.reasonLabel()->text(), QStringLiteral("角を只で取られます: △同　角(22)"));
        // The three best moves of the position the blunder was played in, each with its line.
        const QStringList candidates = plain(view.candidatesLabel()).split('\n');
        QCOMPARE(candidates.size(), 4);
        QCOMPARE(candidates[0], QStringLiteral("候補手"));
        for (int k = 1; k <= 3; ++k)
            QVERIFY2(candidates[k].startsWith(QStringLiteral("%1. ").arg(k)) &&
                         candidates[k].contains(QStringLiteral("　▲")),
                     qPrintable(candidates[k]));
        QVERIFY(view.scoreLabel()->text().contains(QStringLiteral("ポイント減")));
        controller.setCurrentPly(6);
        QVERIFY(view.reasonLabel()->isHidden());
        QVERIFY(view.bestLabel()->text().endsWith(QStringLiteral("（指した手）")));

        // Kept with the game: written into its KIF, and shown again from it without a search,
        // as it is from the work folder where the finished run left it.
        kif::KifGame k;
        k.game = blunderGame();
        controller.annotate(k);
        qt::AnalysisController again(window);
        qt::AnalysisView shown(again);
        QSignalSpy loaded(&again, &qt::AnalysisController::loaded);
        QVERIFY(again.showJudgement(k));
        QCOMPARE(loaded.count(), 1);
        QVERIFY(!again.running());
        QCOMPARE(again.searched(), 8);
        QCOMPARE(again.markOf(4), QStringLiteral("悪手"));
        QCOMPARE(again.reasonOf(4), QStringLiteral("角を只で取られます: △同　角(22)"));
        QCOMPARE(shown.graph()->points().size(), 8);
        QVERIFY(shown.statusLabel()->text().startsWith(QStringLiteral("棋譜に残された解析です")));
        kif::KifGame other;
        other.game = blunderGame();
        other.game.moves.pop_back();
        controller.annotate(other);
        QVERIFY2(!again.showJudgement(other), "another game gets no judgement");
        qt::AnalysisController fromFolder(window);
        fromFolder.setWorkFolder(dir.path().toStdString());
        QVERIFY(!fromFolder.showKept(blunderGame()));

        // A click on the graph at the start asks the board for it.
        view.show();
        qt::EvaluationGraph* g = view.graph();
        QTest::mouseClick(g, Qt::LeftButton, {}, QPoint(int(g->xOf(0)), g->height() / 2));
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).toInt(), 0);
        QCOMPARE(view.titleLabel()->text(), QStringLiteral("開始局面"));

        controller.clear();
        QCOMPARE(view.graph()->points().size(), 0);
        QCOMPARE(controller.markOf(4), QString());
    }

    // The cancel button ends a run whose searches would take minutes; a controller destroyed
    // during a run (the program quitting) leaves nothing behind that could still arrive.
    void cancellingAndQuittingDuringAnAnalysis() {
        qt::MainWindow window(dir.path());
        {
            qt::AnalysisController controller(window);
            controller.setMsPerPosition(60 * 1000);
            qt::AnalysisView view(controller);
            QSignalSpy cancelled(&controller, &qt::AnalysisController::cancelled);
            QSignalSpy changed(&controller, &qt::AnalysisController::changed);
            controller.start(blunderGame());
            QTest::mouseClick(view.cancelButton(), Qt::LeftButton);
            QCOMPARE(cancelled.count(), 1);
            QVERIFY(!controller.running());
            QVERIFY(!view.cancelButton()->isEnabled());
            QCOMPARE(view.statusLabel()->text(),
                     QStringLiteral("解析を中止しました（0 / 8 局面）"));
            controller.waitForWorker();
            changed.clear();
            QTest::qWait(50);
            QCOMPARE(changed.count(), 0);

            // Started again and then gone in the middle of a search.
            controller.start(blunderGame());
        }
        // Whatever it posted finds nothing to run (the sanitizer build would see it touch the
        // controller); what is posted after it still runs.
        bool ran = false;
        window.post([&ran] { ran = true; });
        QTRY_VERIFY(ran);
    }

    // 棋譜 → 解析 in the real window: refused without a move, then the game in the move list is
    // judged, its marks shown in the list, and a click on the graph shows that position on the
    // board; another game in the list takes the judgement away.
    void theMenuItemJudgesTheGameInTheMoveList() {
        qt::test::FreshWindow fresh;
        auto& [work, w, f, panel] = fresh;
        QVERIFY(qt::test::showAndWait(w));
        qt::AnalysisController& analysis = panel.analysis();
        engine::Limits depth;
        depth.depth = 5;
        analysis.setFixedLimits(depth);
        w.action(MenuItem::ANALYSE)->trigger();
        QVERIFY(!analysis.running());
        QCOMPARE(analysis.analysis(), nullptr);

        w.action(MenuItem::START)->trigger();
        for (const auto& m : kBlunderMoves) test::move(f, m[0], m[1], m[2], m[3]);
        QCOMPARE(panel.model().moveCount(), 7);
        QSignalSpy finished(&analysis, &qt::AnalysisController::finished);
        // The board keeps its place when the analysis opens below the list, and the analysis
        // takes the greater part of the panel once it runs.
        auto* split = panel.findChild<QSplitter*>();
        QVERIFY(split != nullptr && split->count() == 2);
        w.resize(1400, 1000);
        QTRY_VERIFY(split->height() > 600);
        const int reserved = w.view().canvas().reservedRight();
        w.action(MenuItem::ANALYSE)->trigger();
        QVERIFY(analysis.running());
        QVERIFY(split->sizes()[1] > 2 * split->sizes()[0]);
        QTRY_VERIFY_WITH_TIMEOUT(finished.count() == 1, 5 * 60 * 1000);
        QCOMPARE(w.view().canvas().reservedRight(), reserved);
        // The finished judgement is kept in the work folder, and found for that game again.
        {
            qt::AnalysisController kept(w);
            kept.setWorkFolder(f.WorkFolder);
            QVERIFY(kept.showKept(analysis.analysis()->game()));
            QCOMPARE(kept.markOf(4), QStringLiteral("悪手"));
        }
        QCOMPARE(panel.model().mark(5), QStringLiteral("悪手"));
        for (int ply : {1, 2, 3, 4, 6, 7}) QCOMPARE(panel.model().mark(ply), QString());
        QVERIFY(!panel.list()->isColumnHidden(qt::MoveListModel::Mark));
        auto* view = qobject_cast<qt::AnalysisView*>(panel.analysisWidget());
        QVERIFY(view != nullptr);
        QCOMPARE(view->graph()->currentPly(), 7);

        qt::EvaluationGraph* graph = view->graph();
        QTest::mouseClick(graph, Qt::LeftButton, {},
                          QPoint(int(graph->xOf(5)), graph->height() / 2));
        QCOMPARE(f.KifuCursor, 5);
        QCOMPARE(panel.review().current(), 5);
        QCOMPARE(view->reasonLabel()->text(), QStringLiteral("角を只で取られます: △同　角(22)"));

        // A line on the board: a click on the best line's second move shows the position
        // after it, 戻 steps back within the line, and the way back shows the game's position
        // again with nothing of the game changed.
        const engine::GameSnapshot game = engine::snapshotOf(f, -1);
        const int length = f.KifuLength, turn = f.Turn, mode = f.KifuMode;
        const std::vector<Move> best = analysis.lineOf(5, 0);
        QVERIFY(best.size() >= 2);
        engine::GameSnapshot first = *analysis.linesStart(5), second;
        int taken = 0;
        QVERIFY(analysis::playOn(first, best[0], taken));
        second = first;
        QVERIFY(analysis::playOn(second, best[1], taken));
        QVERIFY(view->returnButton()->isHidden());
        emit view->lineLabel()->linkActivated(QStringLiteral("0:1"));
        QVERIFY(panel.variation().shown());
        QVERIFY(boardShows(f, second));
        QVERIFY(!view->returnButton()->isHidden());
        QVERIFY2(view->variationLabel()->text().contains(QStringLiteral("（2 / ")),
                 qPrintable(view->variationLabel()->text()));
        w.action(MenuItem::REPLAY)->trigger();
        QVERIFY(boardShows(f, first));
        QCOMPARE(panel.variation().step(), 1);
        QCOMPARE(f.KifuCursor, 5);
        QTest::mouseClick(view->returnButton(), Qt::LeftButton);
        QVERIFY(!panel.variation().shown());
        QVERIFY(view->returnButton()->isHidden());
        QVERIFY(boardShows(f, game));
        QCOMPARE(f.KifuCursor, 5);
        QCOMPARE(f.KifuLength, length);
        QCOMPARE(f.Turn, turn);
        QCOMPARE(f.KifuMode, mode);
        QCOMPARE(panel.review().game().moves.size(), std::size_t(7));
        QCOMPARE(panel.review().current(), 5);
        // A candidate's move too; a click on the board only returns (no piece is taken up),
        // and the game goes on from its own position.
        emit view->candidatesLabel()->linkActivated(QStringLiteral("2:0"));
        QVERIFY(panel.variation().shown());
        QVERIFY(!boardShows(f, game));
        QTest::mouseClick(&w.view(), Qt::LeftButton, {},
                          w.view().fromTwips(qt::BoardView::cell(5, 5)).center());
        QVERIFY(!panel.variation().shown());
        QVERIFY(boardShows(f, game));
        QCOMPARE(f.PickedUp, 0);
        w.action(MenuItem::AFTER)->trigger();
        QCOMPARE(f.KifuCursor, 6);

        // The list keeps the game until the next one's first move takes its place.
        w.action(MenuItem::CANCEL)->trigger();
        QVERIFY(analysis.analysis() != nullptr);
        w.action(MenuItem::START)->trigger();
        test::move(f, 3, 7, 3, 6);
        QCOMPARE(panel.model().moveCount(), 1);
        QCOMPARE(analysis.analysis(), nullptr);
        QCOMPARE(panel.model().mark(5), QString());
        QCOMPARE(view->graph()->points().size(), 0);
    }

    // The time of each position is kept beside the window's size and place, and survives the
    // window writing those.
    void theTimeOfAPositionIsKeptInWindowIni() {
        QTemporaryDir folder;
        const QString ini = folder.path() + "/window.ini";
        QCOMPARE(qt::readMsPerPosition(ini), std::nullopt);
        QVERIFY(qt::writeMsPerPosition(ini, 1500));
        QVERIFY(qt::writeGeometry(ini, {QRect(10, 20, 700, 650), false}));
        QCOMPARE(qt::readMsPerPosition(ini), std::optional<int>(1500));
        QVERIFY(qt::readGeometry(ini).has_value());
        QVERIFY(qt::writeMsPerPosition(ini, 5));
        QCOMPARE(qt::readMsPerPosition(ini), std::optional<int>(qt::kFewestMsPerPosition));
        QFile f(ini);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("[analysis]\nmsPerPosition=soon\n");
        f.close();
        QCOMPARE(qt::readMsPerPosition(ini), std::nullopt);
        QVERIFY(QFile::remove(ini));
        QVERIFY(QDir(folder.path()).mkdir("window.ini"));
        QCOMPARE(qt::readMsPerPosition(ini), std::nullopt);
        QVERIFY(!qt::writeMsPerPosition(ini, 800));
        QVERIFY(!qt::writeNodesPerPosition(ini, 5000));
        QVERIFY(QDir(folder.path()).rmdir("window.ini"));

        // The budget of nodes, the default limit, kept beside the time.
        QCOMPARE(qt::readNodesPerPosition(ini), std::nullopt);
        QVERIFY(qt::writeNodesPerPosition(ini, 250000));
        QVERIFY(qt::writeMsPerPosition(ini, 700));
        QCOMPARE(qt::readNodesPerPosition(ini), std::optional<std::int64_t>(250000));
        QCOMPARE(qt::readMsPerPosition(ini), std::optional<int>(700));
        QVERIFY(qt::writeNodesPerPosition(ini, 3));
        QCOMPARE(qt::readNodesPerPosition(ini),
                 std::optional<std::int64_t>(qt::kFewestNodesPerPosition));
    }
};

int runAnalysisViewTest(int argc, char** argv) {
    AnalysisViewTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "AnalysisViewTest.moc"
