// The game the move list shows: it follows the game, stays after the game ends, and a click on
// a move leaves exactly the state the same number of 戻 or 進 leaves.
#include "review/GameReview.h"
#include "fakes/Clicks.h"
#include "fakes/Harness.h"
#include "fakes/Thinking.h"
#include "kif/Kif.h"
#include "text/ShiftJis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace kelvore;
using namespace kelvore::test;

namespace {

// What a player can see or act on, and what the next click reads.
void expectSameState(const Form1& a, const Form1& b) {
    EXPECT_EQ(std::memcmp(a.Board, b.Board, sizeof(Map)), 0);
    EXPECT_EQ(std::memcmp(a.OwnHand, b.OwnHand, sizeof a.OwnHand), 0);
    EXPECT_EQ(std::memcmp(a.EnemyHand, b.EnemyHand, sizeof a.EnemyHand), 0);
    EXPECT_EQ(a.OwnHandCount, b.OwnHandCount);
    EXPECT_EQ(a.EnemyHandCount, b.EnemyHandCount);
    EXPECT_EQ(a.Turn, b.Turn);
    EXPECT_EQ(a.ManTurn, b.ManTurn);
    EXPECT_EQ(a.ComTurn, b.ComTurn);
    EXPECT_EQ(a.GameMode, b.GameMode);
    EXPECT_EQ(a.KifuMode, b.KifuMode);
    EXPECT_EQ(a.KifuCursor, b.KifuCursor);
    EXPECT_EQ(a.KifuLength, b.KifuLength);
    EXPECT_EQ(a.MoveNumber, b.MoveNumber);
    EXPECT_EQ(a.ResumePending, b.ResumePending);
    EXPECT_EQ(a.PickedUp, b.PickedUp);
    EXPECT_EQ(a.ComTime, b.ComTime);
    EXPECT_EQ(a.ManTime, b.ManTime);
}

// Two people exchange bishops, and the lower side drops its bishop: six moves, 3 s each.
void playSixMoves(Game& g) {
    Form1& f = g.form;
    g.fake.clock.now = 500;
    f.START_Click();
    const int moves[][5] = {{3, 7, 3, 6, kLeft}, {7, 3, 7, 4, kLeft},  {2, 8, 8, 2, kRight},
                            {7, 1, 8, 2, kLeft}, {11, 8, 5, 5, kLeft}, {5, 3, 5, 4, kLeft}};
    for (const auto& m : moves) {
        g.fake.clock.now += 3;
        move(f, m[0], m[1], m[2], m[3], m[4]);
    }
}

} // namespace

TEST(GameReview, AClickLeavesTheStateTheSameStepsByHandLeave) {
    Game byList, byHand;
    review::GameReview list(byList.form);
    playSixMoves(byList);
    playSixMoves(byHand);
    ASSERT_EQ(list.current(), 6);
    ASSERT_EQ(list.game().moves.size(), 6u);

    int notices = 0;
    list.onChanged = [&] { ++notices; };
    EXPECT_TRUE(list.showMove(2));
    EXPECT_EQ(notices, 1) << "one notice for a walk of four steps";
    for (int i = 0; i < 4; ++i) byHand.form.REPLAY_Click();
    expectSameState(byList.form, byHand.form);
    EXPECT_EQ(list.current(), 2);

    EXPECT_TRUE(list.showMove(5));
    for (int i = 0; i < 3; ++i) byHand.form.AFTER_Click();
    expectSameState(byList.form, byHand.form);

    // The next board click resumes play from there in both games alike.
    for (Game* g : {&byList, &byHand}) move(g->form, 9, 3, 9, 4);
    expectSameState(byList.form, byHand.form);
    EXPECT_EQ(byList.prompts(), byHand.prompts());
    EXPECT_EQ(list.current(), 6);
    EXPECT_EQ(list.game().moves.size(), 6u) << "move 6 replaced by the new one";
    EXPECT_EQ(moveTextOf(list.game(), 5), "△１四歩(13)");
    EXPECT_FALSE(list.showMove(7)) << "no such move";
}

TEST(GameReview, TheFinishedGameStaysAndIsSteppedInRecordMode) {
    Game g;
    Form1& f = g.form;
    review::GameReview list(f);
    EXPECT_TRUE(list.game().moves.empty());
    f.START_Click();
    move(f, 3, 7, 3, 6);
    EXPECT_EQ(review::rowsOf(list.game()).at(0).text, "▲７六歩(77)");
    for (const auto& m :
         std::vector<std::array<int, 4>>{{1, 3, 1, 4}, {2, 8, 7, 3}, {1, 4, 1, 5}, {7, 3, 5, 1}})
        move(f, m[0], m[1], m[2], m[3]);
    // 先手 took the king and はい reset the board: the list keeps the game, with no move current.
    ASSERT_EQ(f.Turn, 0);
    EXPECT_EQ(list.game().moves.size(), 5u);
    EXPECT_EQ(list.current(), -1);
    const auto boxes = g.fake.dialogs.shown.size();

    EXPECT_TRUE(list.showMove(3));
    EXPECT_EQ(f.KifuMode, 1);
    EXPECT_EQ(f.KifuCursor, 3);
    EXPECT_EQ(f.Board[7][3], -800) << "the bishop has taken the pawn";
    EXPECT_EQ(list.current(), 3);
    EXPECT_EQ(g.fake.dialogs.shown.size(), boxes) << "no messages of reading a record";
    EXPECT_TRUE(list.showMove(0));
    EXPECT_EQ(f.Board[2][8], -800);
    EXPECT_TRUE(list.showMove(5));
    EXPECT_EQ(f.Board[5][1], -800);

    // 反転 gives the history up: the list follows (there is no game left to show).
    f.CANCEL_Click();
    EXPECT_EQ(list.game().moves.size(), 5u);
    f.START_Click();
    f.REVERSE_Click();
    EXPECT_TRUE(list.game().moves.empty());
    EXPECT_FALSE(list.showMove(0));
}

TEST(GameReview, AGameReadFromARecordIsShownFromItsStart) {
    Game g;
    Form1& f = g.form;
    playSixMoves(g);
    const std::string path = g.folder.path + "/six.棋譜";
    ASSERT_EQ(f.書込_棋譜ファイル(path, "六手", "上", "下"), "");
    f.CANCEL_Click();
    review::GameReview list(f);
    f.File1_Click(path);
    ASSERT_EQ(f.KifuMode, 1);
    ASSERT_EQ(list.game().moves.size(), 6u);
    EXPECT_EQ(list.current(), 0);
    EXPECT_EQ(moveTextOf(list.game(), 3), "△同　銀(31)");
    f.AFTER_Click();
    EXPECT_EQ(list.current(), 1) << "進 moves the current move";
    EXPECT_TRUE(list.showMove(6));
    EXPECT_EQ(f.KifuCursor, 6);
    EXPECT_EQ(f.KifuMode, 1) << "still the record, stepped as 進 steps it";
}

TEST(GameReview, RefusedWithTheForbiddenSoundWhileTheComputerThinks) {
    Game g;
    Form1& f = g.form;
    review::GameReview list(f);
    f.START_Click();
    move(f, 3, 7, 3, 6);
    move(f, 7, 3, 7, 4);
    thinkWithoutEnd(f);
    move(f, 2, 7, 2, 6);
    f.SENTE_Click(); // the upper side is to move: the computer takes it over and thinks
    ASSERT_TRUE(f.思考中());
    f.ForbiddenSound = 77;
    EXPECT_FALSE(list.showMove(1));
    EXPECT_EQ(std::count(g.fake.sound.calls.begin(), g.fake.sound.calls.end(), "dsPlay 77"), 1);
    EXPECT_EQ(f.KifuCursor, 3);
    stopThinking(f);
}

// The list dropped the fraction of each move's time while the kept record and KIF took the
// difference of the whole totals: 0:00 in the list, 0:01 in the KIF for the same move. All now
// count as the clocks and the record do, so the list's times add up to the clock.
TEST(GameReview, AMovesTimeIsTheSameInTheListTheRecordKifAndOnTheClock) {
    Game g;
    review::GameReview list(g.form);
    Form1& f = g.form;
    g.fake.clock.now = 1000.7;
    f.START_Click();
    g.fake.clock.now = 1012.3; // the lower side thinks 11.6 s
    move(f, 3, 7, 3, 6);
    g.fake.clock.now = 1015.0; // the upper side 2.7 s
    move(f, 7, 3, 7, 4);
    g.fake.clock.now = 1015.8; // the lower side 0.8 s: 12.4 s in all
    move(f, 7, 7, 7, 6);
    ASSERT_NEAR(f.ManTime, 12.4, 1e-9);
    EXPECT_EQ(Form1::調査_時間秒追加結果(f.ManTime), "00:00:12") << "the clock";

    const std::vector<review::MoveRow> rows = review::rowsOf(list.game());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(review::timeText(rows[0].seconds), "0:11");
    EXPECT_EQ(review::timeText(rows[1].seconds), "0:02");
    EXPECT_EQ(review::timeText(rows[2].seconds), "0:01");
    EXPECT_EQ(rows[0].seconds + rows[2].seconds, 12) << "the list adds up to the clock";

    const std::vector<std::string> record = text::splitLines(recordText(list.game()));
    ASSERT_EQ(record.size(), 6u);
    EXPECT_EQ(record[5].substr(17, 10), "   11   12") << "the record: before and after";
    const std::string kif = kif::writeKif({list.game(), "", 0, {}}, kif::Encoding::Utf8);
    EXPECT_NE(kif.find("   1 ７六歩(77)   ( 0:11/00:00:11)\r\n"), std::string::npos) << kif;
    EXPECT_NE(kif.find("   2 ３四歩(33)   ( 0:02/00:00:02)\r\n"), std::string::npos) << kif;
    EXPECT_NE(kif.find("   3 ３六歩(37)   ( 0:01/00:00:12)\r\n"), std::string::npos) << kif;
}

TEST(GameReview, TimesAsPlayersReadThem) {
    EXPECT_EQ(review::timeText(5), "0:05");
    EXPECT_EQ(review::timeText(754), "12:34");
    EXPECT_EQ(review::timeText(3723), "1:02:03");
    EXPECT_EQ(review::timeText(-4), "0:00");
}
