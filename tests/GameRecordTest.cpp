// A game taken from the history and from a record file: its start, its positions, its moves in
// notation and the time each took.
#include "record/GameRecord.h"

#include "engine/Snapshot.h"
#include "fakes/Positions.h"
#include "fakes/Records.h"

using namespace kelvore;
using namespace kelvore::test;

TEST(GameRecord, TheHistoryGivesItsStartPositionsAndNotation) {
    Game g;
    Form1& f = g.form;
    playShortGame(g);
    ASSERT_EQ(f.KifuLength, 6);
    // Stepped back two moves, the record still holds the whole game and the same start.
    f.REPLAY_Click();
    f.REPLAY_Click();
    const auto game = recordOfHistory(f);
    ASSERT_TRUE(game.has_value());
    EXPECT_TRUE(isStandardStart(game->start));
    EXPECT_EQ(game->start.sideToMove, -1);
    ASSERT_EQ(game->moves.size(), 6u);

    const auto positions = positionsOf(*game);
    ASSERT_EQ(positions.size(), 7u);
    EXPECT_TRUE(samePlacement(positions[4], engine::snapshotOf(f, -1)))
        << "the position after four moves is the one on the board";
    EXPECT_EQ(positions[6].sideToMove, -1);
    EXPECT_EQ(positions[6].board[5][4], 800);
    EXPECT_EQ(positions[6].upperHand[6], 0);

    std::vector<std::string> texts;
    for (std::size_t i = 0; i < game->moves.size(); ++i) texts.push_back(moveTextOf(*game, i));
    EXPECT_EQ(texts, (std::vector<std::string>{"▲７六歩(77)", "△３四歩(33)", "▲２二角成(88)",
                                               "△同　銀(31)", "▲５五角打", "△５四角打"}));
    EXPECT_EQ(secondsOf(*game, 0), 5);
    EXPECT_EQ(secondsOf(*game, 4), 7);
    EXPECT_EQ(secondsOf(*game, 5), 3);
}

TEST(GameRecord, AFileGivesTheSameGameAndABadStepEndsThePositions) {
    Game g;
    Form1& f = g.form;
    playShortGame(g);
    const std::string path = g.folder.path + "/a.棋譜";
    ASSERT_EQ(f.書込_棋譜ファイル(path, "対局", "上", "下"), "");
    const auto fromHistory = recordOfHistory(f);
    ASSERT_TRUE(fromHistory.has_value());

    std::string bytes;
    {
        FILE* file = std::fopen(path.c_str(), "rb");
        ASSERT_NE(file, nullptr);
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            bytes.append(buffer, n);
        std::fclose(file);
    }
    GameRecord fromFile = recordOfFile(readRecord(bytes));
    EXPECT_EQ(fromFile.title, "対局");
    EXPECT_EQ(fromFile.upperPlayer, "上");
    ASSERT_EQ(fromFile.moves.size(), fromHistory->moves.size());
    EXPECT_TRUE(samePlacement(positionsOf(fromFile).back(), positionsOf(*fromHistory).back()));

    // A move that does not fit its position ends the list there.
    fromFile.moves[3].CapturedPiece = 0;
    EXPECT_EQ(positionsOf(fromFile).size(), 4u);
}

TEST(GameRecord, AHistoryThatNoLongerFitsTheBoardGivesNothing) {
    Game g;
    Form1& f = g.form;
    playShortGame(g);
    f.Board[5][4] = 0; // the last move's piece is gone from its square
    EXPECT_FALSE(recordOfHistory(f).has_value());
    // The upper side moving first is ▲.
    f.Board[5][4] = 800;
    auto game = recordOfHistory(f);
    ASSERT_TRUE(game.has_value());
    game->start.sideToMove = 1;
    EXPECT_EQ(markOf(*game, 1), notation::Mark::Sente);
}
