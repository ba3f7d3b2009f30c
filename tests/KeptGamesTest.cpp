// Every game is kept: a won game once, a game replaced by 最初 or by a new one over its
// history, never a record only viewed, a game from a handicap as KIF; each kept file reads back
// move for move; a folder that cannot be written leaves the game
// going with one warning a run.
#include "fakes/Clicks.h"
#include "fakes/Files.h"
#include "fakes/Harness.h"
#include "fakes/Kept.h"
#include "kept/GameKeeper.h"
#include "kif/Kif.h"
#include "record/RecordFile.h"
#include "text/Files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace kelvore;
using namespace kelvore::test;

namespace {

class KeptGames : public ::testing::Test {
protected:
    Game g;
    Form1& f = g.form;
    kept::GameKeeper keeper{f};

    KeptGames() { keeper.now = keptAt2315; }

    std::vector<std::string> files() const { return keptFiles(keeper); }
    RecordFile readBack(const std::string& name) const { return readKept(keeper, name); }

    // The record read back holds the history's moves 1..count, field for field.
    void expectSameMoves(const RecordFile& r, int count) const {
        ASSERT_TRUE(r.error.empty()) << r.error;
        EXPECT_EQ(r.damagedAt, 0) << r.damage;
        ASSERT_EQ(static_cast<int>(r.moves.size()), count);
        for (int i = 1; i <= count; ++i) {
            const RecordMove& m = r.moves[i - 1];
            SCOPED_TRACE(i);
            EXPECT_EQ(m.FromX, f.Kifu.FromX[i]);
            EXPECT_EQ(m.FromY, f.Kifu.FromY[i]);
            EXPECT_EQ(m.ToX, f.Kifu.ToX[i]);
            EXPECT_EQ(m.ToY, f.Kifu.ToY[i]);
            EXPECT_EQ(m.MovedPiece, f.Kifu.MovedPiece[i]);
            EXPECT_EQ(m.PlacedPiece, f.Kifu.PlacedPiece[i]);
            EXPECT_EQ(m.CapturedPiece, f.Kifu.CapturedPiece[i]);
            EXPECT_EQ(m.ComTimeAfter, static_cast<int>(f.Kifu.ComTimeAfter[i]));
        }
    }

    // Two people: the lower side's bishop takes the upper king on move 5 (先手 wins), 12 s a
    // move on the clock.
    void playToAWin() {
        g.fake.clock.now = 1000;
        f.START_Click();
        const int moves[][4] = {
            {3, 7, 3, 6}, {1, 3, 1, 4}, {2, 8, 7, 3}, {1, 4, 1, 5}, {7, 3, 5, 1}};
        for (const auto& m : moves) {
            g.fake.clock.now += 12;
            move(f, m[0], m[1], m[2], m[3]);
        }
    }
};

} // namespace

TEST_F(KeptGames, AWonGameIsKeptOnceBeforeTheDialogueAndReadsBackMoveForMove) {
    EXPECT_EQ(kept::baseName(keeper.now(), "LEVEL4"), "2026-12-08_2315_LEVEL4");
    EXPECT_EQ(keeper.folder(), g.folder.path + "/対局記録");
    playToAWin();
    ASSERT_EQ(g.prompts().size(), 3u);
    EXPECT_EQ(g.prompts()[1], "先手の勝ちです");
    EXPECT_EQ(f.Turn, 0) << "はい reset the board";
    ASSERT_EQ(files(), std::vector<std::string>{"2026-12-08_2315_人間.棋譜"});
    // The history still holds the game after the reset: the file has all five moves.
    const RecordFile r = readBack(files()[0]);
    expectSameMoves(r, 5);
    EXPECT_EQ(r.header[0], "対局 2026-12-08 23:15（先手の勝ち）");
    EXPECT_EQ(r.header[1], "後手");
    EXPECT_EQ(r.header[2], "先手");
    EXPECT_EQ(r.moves[4].CapturedPiece, 950);

    // The same game is never kept twice: not by 最初, not by a new game begun over it.
    f.CANCEL_Click();
    f.START_Click();
    EXPECT_EQ(files().size(), 1u);
    move(f, 7, 7, 7, 6);
    EXPECT_EQ(files().size(), 1u);
    // The new game, replaced by 最初, is kept beside the first under the next free name.
    f.CANCEL_Click();
    ASSERT_EQ(files(), (std::vector<std::string>{"2026-12-08_2315_人間.棋譜",
                                                 "2026-12-08_2315_人間_2.棋譜"}));
    expectSameMoves(readBack(files()[1]), 1);
    EXPECT_EQ(keeper.written().size(), 2u);
}

// 最初 in the middle of a game against the computer keeps every recorded move, also those
// stepped back over.
TEST_F(KeptGames, TheWholeGameIsKeptWhen最初EndsItMidway) {
    f.onMenu(MenuItem::LEVEL1);
    f.SENTE_Click();
    move(f, 3, 7, 3, 6);
    move(f, 8, 7, 8, 6);
    ASSERT_EQ(f.KifuLength, 4);
    f.REPLAY_Click();
    f.REPLAY_Click();
    EXPECT_TRUE(files().empty()) << "nothing is kept while the game goes on";
    f.CANCEL_Click();
    ASSERT_EQ(files(), std::vector<std::string>{"2026-12-08_2315_LEVEL1.棋譜"});
    const RecordFile r = readBack(files()[0]);
    expectSameMoves(r, 4);
    EXPECT_EQ(r.header[1], "LEVEL1");
    EXPECT_EQ(r.header[2], "あなた");
}

// A new game from 先手 over a game stepped back to its start, and play resumed from the start of
// a game between two people, each replace a game with moves: that game is kept first.
TEST_F(KeptGames, ANewGameOverAnOldHistoryKeepsTheOldOne) {
    f.START_Click();
    move(f, 3, 7, 3, 6);
    move(f, 7, 3, 7, 4);
    f.REPLAY_Click();
    f.REPLAY_Click();
    f.onMenu(MenuItem::LEVEL2);
    f.SENTE_Click(); // at move 0: a fresh game, the old history given up
    ASSERT_EQ(files(), std::vector<std::string>{"2026-12-08_2315_人間.棋譜"});
    EXPECT_EQ(f.KifuLength, 0) << "the history the game held is gone";
    const RecordFile r = readBack(files()[0]);
    ASSERT_EQ(r.moves.size(), 2u);
    EXPECT_EQ(r.moves[0].MovedPiece, -10);
    EXPECT_EQ(r.moves[1].FromX, 7);
    EXPECT_EQ(r.moves[1].ToY, 4);
}

TEST_F(KeptGames, PlayResumedFromTheStartOfAGameKeepsTheGameLeft) {
    f.START_Click();
    move(f, 3, 7, 3, 6);
    move(f, 7, 3, 7, 4);
    move(f, 2, 7, 2, 6);
    f.REPLAY_Click();
    f.REPLAY_Click();
    f.REPLAY_Click();
    f.START_Click();
    EXPECT_TRUE(files().empty()) << "the old game can still be stepped with 進";
    move(f, 7, 7, 7, 6);
    ASSERT_EQ(files().size(), 1u);
    const RecordFile r = readBack(files()[0]);
    ASSERT_EQ(r.moves.size(), 3u);
    EXPECT_EQ(r.moves[2].FromX, 2);
    EXPECT_EQ(r.moves[2].ToY, 6);
}

// A record read and stepped is not a game played here. A game after a handicap cannot be
// written in the record format, which always starts from the standard position: it is kept as
// KIF, its start and every move read back, and its winner named.
TEST_F(KeptGames, ViewedRecordsAreNotKeptAndHandicapGamesAreKeptAsKif) {
    f.START_Click();
    move(f, 3, 7, 3, 6);
    const std::string path = g.folder.path + "/a.棋譜";
    ASSERT_EQ(f.書込_棋譜ファイル(path, "a", "b", "c"), "");
    f.File1_Click(path); // the game played is kept as the record replaces it
    ASSERT_EQ(files().size(), 1u);
    f.AFTER_Click();
    f.CANCEL_Click();
    f.File1_Click(path);
    f.CANCEL_Click();
    EXPECT_EQ(files().size(), 1u);

    f.LBEL_UP_Click(); // the upper side gives its bishop
    f.START_Click();
    move(f, 3, 7, 3, 6);
    move(f, 7, 3, 7, 4);
    const std::optional<GameRecord> played = recordOfHistory(f);
    ASSERT_TRUE(played);
    f.CANCEL_Click();
    ASSERT_EQ(files().size(), 2u);
    EXPECT_EQ(files()[0], "2026-12-08_2315_人間.kifu");
    EXPECT_EQ(g.fake.dispatcher.waiting(), 0u) << "written without a warning";

    const text::ReadResult file = text::readFile(keeper.folder() + "/" + files()[0], 1 << 20);
    ASSERT_TRUE(file.ok());
    const kif::KifRead read = kif::readKif(file.bytes, kif::Encoding::Utf8);
    ASSERT_TRUE(read.game) << read.message();
    EXPECT_FALSE(isStandardStart(read.game->game.start)) << "the bishop stays given";
    const auto& board = read.game->game.start.board;
    EXPECT_TRUE(std::equal(&board[0][0], &board[0][0] + 100, &played->start.board[0][0]));
    ASSERT_EQ(read.game->game.moves.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(read.game->game.moves[i].ToX, played->moves[i].ToX) << i;
        EXPECT_EQ(read.game->game.moves[i].ToY, played->moves[i].ToY) << i;
        EXPECT_EQ(read.game->game.moves[i].MovedPiece, played->moves[i].MovedPiece) << i;
    }
    EXPECT_EQ(read.game->winner, 0) << "replaced, not won";
}

// Two windows on one work folder, each ending a game in the same minute: both took the
// minute's free name and the second rename replaced the first window's game. The gap lasts as
// long as the save's flush, seconds on a slow disk; here the second window keeps its game
// while the first is still writing its own.
TEST_F(KeptGames, TwoWindowsKeepingGamesInTheSameMinuteKeepBoth) {
    Game other(false);
    other.form.WorkFolder = g.folder.path;
    other.form.SoundFolder = g.folder.path;
    other.form.Form_Load();
    kept::GameKeeper otherKeeper{other.form};
    otherKeeper.now = keeper.now;
    other.form.START_Click();
    move(other.form, 3, 7, 3, 6);
    move(other.form, 7, 3, 7, 4);
    f.START_Click();
    move(f, 3, 7, 3, 6);

    static Form1* second;
    second = &other.form;
    text::testing::afterTemporaryWritten = [] {
        text::testing::afterTemporaryWritten = nullptr;
        second->CANCEL_Click();
    };
    f.CANCEL_Click();
    text::testing::afterTemporaryWritten = nullptr;
    ASSERT_EQ(otherKeeper.written().size(), 1u) << "the second game was kept during the first save";
    ASSERT_EQ(files(), (std::vector<std::string>{"2026-12-08_2315_人間.棋譜",
                                                 "2026-12-08_2315_人間_2.棋譜"}));
    EXPECT_EQ(readBack(files()[0]).moves.size(), 1u) << "the first window's game";
    EXPECT_EQ(readBack(files()[1]).moves.size(), 2u) << "the second window's game";
}

// The folder cannot be made (a file stands in its place): the game goes on as ever, and one
// message says so once the command is done, once a run.
TEST_F(KeptGames, AnUnwritableFolderLeavesTheGameGoingWithOneWarning) {
    spitBytes(keeper.folder(), "not a folder");
    playToAWin();
    EXPECT_EQ(g.prompts().size(), 3u) << "the end of the game as ever: start, winner, again?";
    EXPECT_EQ(g.prompts().back(), "続けますか？");
    EXPECT_EQ(f.Turn, 0);
    ASSERT_EQ(g.fake.dispatcher.waiting(), 1u);
    g.fake.dispatcher.drain();
    ASSERT_EQ(g.prompts().size(), 4u);
    EXPECT_EQ(g.prompts().back().rfind("対局記録を保存できませんでした", 0), 0u);
    EXPECT_EQ(g.fake.dialogs.shown.back().title, "対局記録");

    f.START_Click();
    move(f, 3, 7, 3, 6);
    f.CANCEL_Click();
    EXPECT_EQ(g.fake.dispatcher.drain(), 0) << "said once a run";
    EXPECT_EQ(slurp(keeper.folder()), "not a folder");
    EXPECT_TRUE(keeper.written().empty());
}
