// The hint: searched aside for the side to move, shown once its answer is back on the window's
// thread, a move the game accepts, cleared by the next move; refused while the computer thinks
// or when no game runs; an answer for a position that has changed is dropped.
#include "fakes/Clicks.h"
#include "fakes/Harness.h"
#include "fakes/Thinking.h"
#include "hint/HintSearch.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace kelvore;
using namespace kelvore::test;

namespace {

class Hints : public ::testing::Test {
protected:
    Game g;
    Form1& f = g.form;
    hint::HintSearch hints{f};
    int notices = 0;

    Hints() {
        engine::Limits l;
        l.depth = 3;
        hints.fixedLimits = l;
        hints.onChanged = [this] { ++notices; };
        f.ForbiddenSound = 77;
    }
    int forbidden() const {
        return static_cast<int>(
            std::count(g.fake.sound.calls.begin(), g.fake.sound.calls.end(), "dsPlay 77"));
    }
    // Lets the worker finish and runs what it posted.
    void answerArrives() {
        hints.waitForWorker();
        g.fake.dispatcher.drain();
    }
    bool legalForSideToMove(const Move& m) {
        f.調査_2歩フラグ設定();
        MoveList legal;
        generateMoves(f, f.Turn == f.ManTurn ? -1 : 1, legal);
        return std::find(legal.begin(), legal.end(), m) != legal.end();
    }
};

} // namespace

TEST_F(Hints, TheMoveIsLegalForTheSideToMoveAndTheNextMoveClearsIt) {
    f.START_Click();
    move(f, 3, 7, 3, 6);
    ASSERT_TRUE(hints.ask());
    EXPECT_TRUE(hints.searching());
    EXPECT_FALSE(hints.shown());
    answerArrives();
    ASSERT_TRUE(hints.shown());
    const hint::Hint h = *hints.shown();
    EXPECT_TRUE(legalForSideToMove(h.move));
    EXPECT_GT(h.move.moved, 0) << "the upper side is to move";
    EXPECT_EQ(h.text.rfind("△", 0), 0u) << h.text;
    EXPECT_EQ(h.scoreText, hint::scoreText(h.score, h.mate));
    EXPECT_EQ(notices, 2) << "asked, then found";

    // Played or not, the next move clears it.
    move(f, 7, 3, 7, 4);
    EXPECT_FALSE(hints.shown());
    EXPECT_EQ(notices, 3);
    ASSERT_TRUE(hints.ask());
    answerArrives();
    ASSERT_TRUE(hints.shown());
    EXPECT_EQ(hints.shown()->text.rfind("▲", 0), 0u);
    f.REPLAY_Click();
    EXPECT_FALSE(hints.shown()) << "a step back changes the position";
}

TEST_F(Hints, AnAnswerForAPositionThatChangedIsDropped) {
    f.START_Click();
    ASSERT_TRUE(hints.ask());
    hints.waitForWorker();
    move(f, 3, 7, 3, 6); // before the answer is taken in
    g.fake.dispatcher.drain();
    EXPECT_FALSE(hints.shown());
    EXPECT_FALSE(hints.searching());

    // Asked again before the first answer came back: only the last counts.
    ASSERT_TRUE(hints.ask());
    ASSERT_TRUE(hints.ask());
    answerArrives();
    ASSERT_TRUE(hints.shown());
    EXPECT_TRUE(legalForSideToMove(hints.shown()->move));
}

TEST_F(Hints, RefusedWithTheForbiddenSoundWhenNoGameRunsOrTheComputerIsToMove) {
    EXPECT_FALSE(hints.ask()) << "no game";
    EXPECT_EQ(forbidden(), 1);

    // A game against the computer, stepped back over the computer's move: its turn, not ours.
    f.onMenu(MenuItem::LEVEL1);
    f.SENTE_Click();
    move(f, 3, 7, 3, 6);
    ASSERT_EQ(f.KifuCursor, 2);
    f.REPLAY_Click();
    EXPECT_FALSE(hints.ask());
    EXPECT_EQ(forbidden(), 2);
    f.REPLAY_Click();
    EXPECT_TRUE(hints.ask()) << "the human's turn again";
    answerArrives();
    EXPECT_TRUE(hints.shown());

    // While the computer thinks.
    thinkWithoutEnd(f);
    move(f, 3, 7, 3, 6);
    ASSERT_TRUE(f.思考中());
    EXPECT_FALSE(hints.shown()) << "cleared by the move";
    EXPECT_FALSE(hints.ask());
    EXPECT_EQ(forbidden(), 3);
    stopThinking(f);
}

TEST(Hint, ScoresAndCellsAsTheyAreShown) {
    EXPECT_EQ(hint::scoreText(85, false), "評価値 +85");
    EXPECT_EQ(hint::scoreText(-230, false), "評価値 -230");
    EXPECT_EQ(hint::scoreText(0, false), "評価値 0");
    EXPECT_EQ(hint::scoreText(3, true), "勝ちまで 3手");
    EXPECT_EQ(hint::scoreText(-4, true), "負けまで 4手");
    // A lower drop from the hand cell of its slot; an upper one from the row 8 - slot.
    const hint::Cells lower = hint::cellsOf({11, 8, 5, 5, -800, -800});
    EXPECT_EQ(lower.from.X, 11);
    EXPECT_EQ(lower.from.Y, 8);
    const hint::Cells upper = hint::cellsOf({-1, 6, 5, 4, 800, 800});
    EXPECT_EQ(upper.from.X, -1);
    EXPECT_EQ(upper.from.Y, 2);
    const hint::Cells board = hint::cellsOf({3, 7, 3, 6, -10, -10});
    EXPECT_EQ(board.from.X, 3);
    EXPECT_EQ(board.to.Y, 6);
}
