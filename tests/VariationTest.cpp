// A line shown on the board: the positions of the line and 戻/進 within it, refusals with the
// forbidden sound at its ends, for a line that does not fit and while the computer thinks, and
// the game's board, hands and history exactly as they were afterwards.
#include "analysis/Variation.h"
#include "engine/Snapshot.h"
#include "fakes/Clicks.h"
#include "fakes/Harness.h"
#include "fakes/Thinking.h"
#include "record/GameRecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace kelvore;
using namespace kelvore::test;

namespace {

bool boardShows(const Form1& f, const engine::GameSnapshot& p) {
    return std::memcmp(f.Board, p.board, sizeof p.board) == 0 &&
           std::memcmp(f.OwnHand, p.lowerHand, sizeof p.lowerHand) == 0 &&
           std::memcmp(f.EnemyHand, p.upperHand, sizeof p.upperHand) == 0;
}

// A board move on `p`, played there too.
Move step(engine::GameSnapshot& p, int fx, int fy, int tx, int ty) {
    const int code = p.board[fx][fy];
    const RecordMove r{fx, fy, tx, ty, code, code, p.board[tx][ty]};
    applyMove(p, r);
    return {fx, fy, tx, ty, code, code};
}

} // namespace

TEST(Variation, ShowsALineStepsWithinItAndGivesTheGameBackUnchanged) {
    Game g;
    Form1& f = g.form;
    f.ForbiddenSound = 77;
    const auto forbidden = [&] {
        return std::count(g.fake.sound.calls.begin(), g.fake.sound.calls.end(), "dsPlay 77");
    };
    f.onMenu(MenuItem::LEVEL1);
    f.SENTE_Click();
    const engine::GameSnapshot game = engine::snapshotOf(f, -1);
    ASSERT_TRUE(isStandardStart(game));
    const int length = f.KifuLength, cursor = f.KifuCursor, turn = f.Turn;

    // Three moves from the start; the third takes the bishop into the lower hand.
    std::vector<engine::GameSnapshot> positions{game};
    engine::GameSnapshot p = game;
    std::vector<Move> line;
    line.push_back(step(p, 7, 7, 7, 6));
    positions.push_back(p);
    line.push_back(step(p, 3, 3, 3, 4));
    positions.push_back(p);
    line.push_back(step(p, 8, 8, 2, 2));
    positions.push_back(p);
    ASSERT_GT(p.lowerHand[6] + p.lowerHand[5] + p.lowerHand[7], 0) << "a piece in hand";

    analysis::Variation v(f);
    int notices = 0;
    v.onChanged = [&] { ++notices; };
    ASSERT_TRUE(v.show(game, line, 1));
    EXPECT_TRUE(v.shown());
    EXPECT_TRUE(boardShows(f, positions[2]));
    EXPECT_EQ(v.step(), 2);
    EXPECT_EQ(v.length(), 3);
    EXPECT_TRUE(v.forward());
    EXPECT_TRUE(boardShows(f, positions[3]));
    EXPECT_EQ(f.OwnHandCount, 1) << "the counts follow the hands";
    EXPECT_FALSE(v.forward()) << "the line's end";
    EXPECT_EQ(forbidden(), 1);
    for (int i = 2; i >= 0; --i) {
        EXPECT_TRUE(v.back());
        EXPECT_TRUE(boardShows(f, positions[std::size_t(i)])) << i;
    }
    EXPECT_FALSE(v.back()) << "the line's start";
    EXPECT_EQ(forbidden(), 2);
    // Another move of the line while one is shown: the game's board is still the one given back.
    EXPECT_TRUE(v.show(game, line, 2));
    EXPECT_TRUE(boardShows(f, positions[3]));
    v.leave();
    EXPECT_FALSE(v.shown());
    EXPECT_TRUE(boardShows(f, game));
    EXPECT_EQ(f.OwnHandCount, 0);
    EXPECT_EQ(f.KifuLength, length);
    EXPECT_EQ(f.KifuCursor, cursor);
    EXPECT_EQ(f.Turn, turn);
    EXPECT_EQ(notices, 7);

    // A line that does not fit the position, and a move past a line's end.
    const Move fromNowhere{5, 5, 5, 4, -piece::HU, -piece::HU};
    EXPECT_FALSE(v.show(game, {fromNowhere}, 0));
    EXPECT_FALSE(v.show(game, line, 3));
    EXPECT_EQ(forbidden(), 4);
    EXPECT_FALSE(v.shown());
    EXPECT_TRUE(boardShows(f, game));

    // While the computer thinks the board stays the game's.
    thinkWithoutEnd(f);
    move(f, 3, 7, 3, 6);
    ASSERT_TRUE(f.思考中());
    const engine::GameSnapshot thinking = engine::snapshotOf(f, 1);
    EXPECT_FALSE(v.show(thinking, {step(p = thinking, 3, 3, 3, 4)}, 0));
    EXPECT_EQ(forbidden(), 5);
    EXPECT_TRUE(boardShows(f, thinking));
    stopThinking(f);
}
