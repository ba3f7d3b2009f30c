// LEVEL4 and LEVEL5 in the game: the search thinks on a worker thread while the window lives
// on; its move comes back through the dispatcher, which the test drains by hand, and is played
// once, as the other levels play theirs, and never after the game has ended.
#include "computer/SearchingTurn.h"
#include "Protocol.h"
#include "engine/Snapshot.h"
#include "fakes/Clicks.h"
#include "fakes/Harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

using namespace kelvore;
using namespace kelvore::test;

namespace {

class SearchingLevel : public ::testing::Test {
protected:
    Game g;
    Form1& f = g.form;

    int sounds(int buffer) const {
        return static_cast<int>(std::count(g.fake.sound.calls.begin(), g.fake.sound.calls.end(),
                                           "dsPlay " + std::to_string(buffer)));
    }
    // The computer moves first, at LEVEL4, searching `limits` instead of the level's time.
    void startWithComputerFirst(const engine::Limits& limits) {
        f.onMenu(MenuItem::LEVEL4);
        f.Searching = std::make_unique<SearchingTurn>(f);
        f.Searching->fixedLimits = limits;
        f.onMenu(MenuItem::GOTE);
    }
    static engine::Limits endless() {
        engine::Limits l;
        l.infinite = true;
        return l;
    }
    static engine::Limits depth(int d) {
        engine::Limits l;
        l.depth = d;
        return l;
    }
    // Lets the worker finish and runs what it posted; returns how many continuations ran.
    int answerArrives() {
        f.Searching->waitForWorker();
        return g.fake.dispatcher.drain();
    }
    bool sameBoard(const Map& a, const Map& b) { return std::memcmp(a, b, sizeof(Map)) == 0; }
};

} // namespace

TEST_F(SearchingLevel, TheMoveIsThoughtOutAsideAndPlayedOnceOnTheWindowsThread) {
    g.fake.clock.now = 1000;
    startWithComputerFirst(depth(3));
    // The turn has begun as every computer turn does, but nothing is played yet.
    EXPECT_TRUE(f.思考中());
    EXPECT_EQ(f.Turn, f.ComTurn);
    EXPECT_EQ(f.KifuCursor, 0);
    EXPECT_TRUE(g.fake.timer.enabled) << "the clocks run while it thinks";
    const auto texts = g.fake.canvas.of(DrawOp::Text);
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                            [](const DrawOp& o) { return o.text == "思考中"; }));
    Map before;
    std::memcpy(before, f.Board, sizeof(Map));
    const engine::GameSnapshot start = engine::snapshotOf(f, 1);

    g.fake.clock.now = 1004;
    f.Searching->waitForWorker();
    EXPECT_TRUE(sameBoard(f.Board, before)) << "the worker never touches the game";
    ASSERT_EQ(g.fake.dispatcher.waiting(), 1u);
    EXPECT_EQ(g.fake.dispatcher.drain(), 1);

    // Played as the other levels play: history, counter, sound, clocks and the turn.
    EXPECT_FALSE(f.思考中());
    ASSERT_EQ(f.KifuCursor, 1);
    EXPECT_EQ(f.MoveNumber, 1);
    EXPECT_EQ(f.Turn, f.ManTurn);
    EXPECT_GT(f.Kifu.MovedPiece[1], 0);
    EXPECT_EQ(f.Board[f.Kifu.ToX[1]][f.Kifu.ToY[1]], f.Kifu.PlacedPiece[1]);
    EXPECT_DOUBLE_EQ(f.ComTime, 4);
    EXPECT_DOUBLE_EQ(f.Kifu.ComTimeAfter[1], 4);
    EXPECT_EQ(sounds(f.PieceSound), 1);
    // The move is the one the search finds for the position it was given.
    engine::Searcher searcher;
    const engine::Result r = searcher.search(start, {}, depth(3));
    EXPECT_EQ(f.Kifu.FromX[1], r.best.fromX);
    EXPECT_EQ(f.Kifu.FromY[1], r.best.fromY);
    EXPECT_EQ(f.Kifu.ToX[1], r.best.toX);
    EXPECT_EQ(f.Kifu.ToY[1], r.best.toY);

    // Nothing is left to play a second time.
    EXPECT_EQ(answerArrives(), 0);
    EXPECT_EQ(f.KifuCursor, 1);
}

TEST_F(SearchingLevel, WhileItThinksNothingMayChangeThePosition) {
    startWithComputerFirst(endless());
    g.fake.sound.calls.clear();
    Map before;
    std::memcpy(before, f.Board, sizeof(Map));

    click(f, 3, 7);
    EXPECT_EQ(f.PickedUp, 0);
    int refused = 1;
    EXPECT_EQ(sounds(f.ForbiddenSound), refused);
    for (MenuItem item : {MenuItem::CANCEL, MenuItem::START, MenuItem::SENTE, MenuItem::GOTE,
                          MenuItem::REVERSE, MenuItem::REPLAY, MenuItem::AFTER, MenuItem::LBEL_UP,
                          MenuItem::LEBEL_DOWN, MenuItem::KIFU_READ}) {
        f.onMenu(item);
        EXPECT_EQ(sounds(f.ForbiddenSound), ++refused) << static_cast<int>(item);
    }
    f.File1_Click("/nonexistent.棋譜");
    EXPECT_EQ(sounds(f.ForbiddenSound), ++refused) << "a record chosen in the panel";
    EXPECT_TRUE(sameBoard(f.Board, before));
    EXPECT_EQ(f.Reversed, 0);
    EXPECT_EQ(f.HandicapSet, 0);
    EXPECT_EQ(f.Turn, f.ComTurn);
    EXPECT_TRUE(g.fake.dialogs.shown.empty() ||
                g.fake.dialogs.shown.back().prompt != "棋譜を '進 'で進めて下さい");

    // What leaves the position alone still works: the level for later turns, the options.
    f.onMenu(MenuItem::LEVEL5);
    EXPECT_EQ(f.ComLevel, 5);
    EXPECT_TRUE(g.fake.menu.isChecked(MenuItem::LEVEL5));
    EXPECT_FALSE(g.fake.menu.isChecked(MenuItem::LEVEL4));
    g.fake.canvas.clear();
    f.onMenu(MenuItem::TAKE);
    const auto texts = g.fake.canvas.of(DrawOp::Text);
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const DrawOp& o) {
        return o.text == "思考中";
    })) << "a new background does not hide that it thinks";
    EXPECT_EQ(sounds(f.ForbiddenSound), refused);
    EXPECT_TRUE(f.思考中());

    // Told to play now, it plays its best move so far, once.
    f.Searching->stopAndPlay();
    EXPECT_EQ(answerArrives(), 1);
    EXPECT_EQ(f.KifuCursor, 1);
    EXPECT_EQ(f.Turn, f.ManTurn);
    click(f, 3, 7);
    EXPECT_EQ(f.PickedUp, 1) << "the human's turn, as usual";
}

TEST(SearchingLevelQuit, EscOwariOrTheCloseBoxDuringTheSearchQuitAndTheMoveIsNeverPlayed) {
    const std::function<void(Form1&)> ways[] = {
        [](Form1& f) { f.Form_KeyDown(Form1::Key::Escape); },
        [](Form1& f) { f.onMenu(MenuItem::OWARI); }, [](Form1& f) { f.Form_Unload(); }};
    for (const auto& quit : ways) {
        Game g;
        Form1& f = g.form;
        f.onMenu(MenuItem::LEVEL4);
        f.Searching = std::make_unique<SearchingTurn>(f);
        engine::Limits endless;
        endless.infinite = true;
        f.Searching->fixedLimits = endless;
        f.onMenu(MenuItem::GOTE);
        ASSERT_TRUE(f.思考中());
        Map before;
        std::memcpy(before, f.Board, sizeof(Map));
        quit(f);
        EXPECT_TRUE(f.Ended);
        EXPECT_EQ(g.fake.window.quits, 1);
        ASSERT_FALSE(f.思考中()) << "the search is abandoned";
        // The stopped search still answers; the answer finds the program ended.
        f.Searching->waitForWorker();
        EXPECT_EQ(g.fake.dispatcher.drain(), 1);
        EXPECT_EQ(f.KifuCursor, 0);
        EXPECT_EQ(std::memcmp(f.Board, before, sizeof(Map)), 0);
    }
}

TEST_F(SearchingLevel, AnAnswerForAPositionThatChangedMeanwhileIsDropped) {
    startWithComputerFirst(depth(2));
    // Whatever changed it, the answer no longer fits this position and is not played.
    f.Board[5][5] = -10;
    EXPECT_EQ(answerArrives(), 1);
    EXPECT_EQ(f.KifuCursor, 0);
    EXPECT_FALSE(f.思考中()) << "the turn is over; a click can resume it";
}

TEST_F(SearchingLevel, AClickOnTheComputersTurnResumesTheGameAndIsUsedUpByIt) {
    // Back one move with 戻 after the computer's first move: the computer is to move again.
    startWithComputerFirst(depth(1));
    answerArrives();
    ASSERT_EQ(f.KifuCursor, 1);
    f.onMenu(MenuItem::REPLAY);
    ASSERT_EQ(f.Turn, f.ComTurn);
    g.fake.dialogs.shown.clear();
    click(f, 3, 7);
    EXPECT_EQ(g.prompts(), (std::vector<std::string>{"OKですか？"}));
    EXPECT_TRUE(f.思考中());
    EXPECT_EQ(f.PickedUp, 0) << "the click went to resuming, not to picking up";
    answerArrives();
    EXPECT_EQ(f.KifuCursor, 1);
    EXPECT_EQ(f.Turn, f.ManTurn);
}

TEST_F(SearchingLevel, TheSearchIsToldTheGamesEarlierPositions) {
    // Two humans play captures, a promotion and drops of both sides through the mouse.
    f.START_Click();
    move(f, 3, 7, 3, 6);         // 7g7f
    move(f, 7, 3, 7, 4);         // 3c3d
    move(f, 2, 8, 8, 2, kRight); // 8h2b+, the bishop taken
    move(f, 7, 1, 8, 2);         // 3a2b, the promoted bishop taken
    move(f, 11, 8, 5, 5);        // B*5e
    move(f, -1, 8 - 6, 5, 4);    // B*5d, from the upper hand row
    ASSERT_EQ(f.KifuCursor, 6);
    usi::Protocol e;
    std::ostringstream ignored;
    e.handle("position startpos moves 7g7f 3c3d 8h2b+ 3a2b B*5e B*5d", ignored);
    ASSERT_EQ(e.history().size(), 6u);
    EXPECT_EQ(SearchingTurn::earlierKeys(f, engine::snapshotOf(f, -1)), e.history());
    // After a reversal the history starts again; no entry is taken back past it.
    f.REVERSE_Click();
    EXPECT_TRUE(SearchingTurn::earlierKeys(f, engine::snapshotOf(f, 1)).empty());
}

TEST_F(SearchingLevel, LevelsFourAndFiveAreCheckedAndShownLikeTheOthers) {
    f.SENTE_Click();
    g.fake.canvas.clear();
    f.onMenu(MenuItem::LEVEL4);
    EXPECT_EQ(f.ComLevel, 4);
    for (MenuItem item : {MenuItem::LEVEL1, MenuItem::LEVEL2, MenuItem::LEVEL3, MenuItem::LEVEL5})
        EXPECT_FALSE(g.fake.menu.isChecked(item));
    EXPECT_TRUE(g.fake.menu.isChecked(MenuItem::LEVEL4));
    auto shows = [&](const std::string& text) {
        const auto ops = g.fake.canvas.of(DrawOp::Text);
        return std::any_of(ops.begin(), ops.end(), [&](const DrawOp& o) { return o.text == text; });
    };
    EXPECT_TRUE(shows(" 4"));
    g.fake.canvas.clear();
    f.onMenu(MenuItem::LEVEL5);
    EXPECT_EQ(f.ComLevel, 5);
    EXPECT_TRUE(shows(" 5"));
    EXPECT_FALSE(shows(" 4"));
    f.onMenu(MenuItem::LEVEL3);
    EXPECT_EQ(f.ComLevel, 3);
    EXPECT_FALSE(g.fake.menu.isChecked(MenuItem::LEVEL5));
    // Level 3 plays at once, inside the handler, as it always did.
    move(f, 3, 7, 3, 6);
    EXPECT_FALSE(f.思考中());
    EXPECT_EQ(f.KifuCursor, 2);
    EXPECT_EQ(g.fake.dispatcher.waiting(), 0u);
}
