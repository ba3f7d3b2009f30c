// USI text read once for the engine front, the sharing commands and the referee: the words of
// a line, the `position` command in each form it comes in, and a written move as the game's
// move, judged by the game.
#include "notation/Usi.h"

#include "fakes/Harness.h"
#include "fakes/Positions.h"

#include <gtest/gtest.h>

using namespace kelvore;
using namespace kelvore::notation;
using namespace kelvore::piece;
using Fault = PositionText::Fault;

TEST(UsiText, WordsAreSplitAtAnyWhiteSpace) {
    EXPECT_EQ(words("  position\tstartpos \r\n moves 7g7f "),
              (std::vector<std::string>{"position", "startpos", "moves", "7g7f"}));
    EXPECT_TRUE(words(" \t ").empty());
}

TEST(UsiText, ThePositionCommandInEveryForm) {
    PositionText p = readPosition(words("position startpos moves 7g7f 3c3d"));
    EXPECT_EQ(p.fault, Fault::None);
    EXPECT_TRUE(p.startpos);
    EXPECT_EQ(p.sfen, kStartSfen);
    EXPECT_EQ(p.moves, (std::vector<std::string>{"7g7f", "3c3d"}));

    const std::string sfen = "4k4/9/9/9/9/9/9/9/4K4 b G 1";
    p = readPosition(words("position sfen " + sfen));
    EXPECT_FALSE(p.startpos);
    EXPECT_EQ(p.sfen, sfen);
    EXPECT_TRUE(p.moves.empty());
    // As pasted: with or without the word sfen, and without position.
    for (const std::string& text : {"sfen " + sfen + " moves G*5b", sfen + "  moves G*5b"}) {
        p = readPosition(words(text));
        EXPECT_EQ(p.fault, Fault::None) << text;
        EXPECT_EQ(p.sfen, sfen) << text;
        EXPECT_EQ(p.moves, std::vector<std::string>{"G*5b"}) << text;
    }

    EXPECT_EQ(readPosition(words("position")).fault, Fault::NoStart);
    EXPECT_EQ(readPosition(words("position fen x")).fault, Fault::NoStart);
    EXPECT_EQ(readPosition(words("position startpos 7g7f")).fault, Fault::NotMoves);
}

TEST(UsiText, AWrittenMoveBecomesTheGamesMoveAndTheJudgeHasTheLastWord) {
    test::Game g;
    Form1& f = g.form;
    test::setPosition(f, "4k4/9/4p4/9/9/9/9/2P1B4/4K4 b Gp 1");
    auto on = [&](const char* text, int side) {
        return moveOn(*parseUsiMove(text), f.Board, side);
    };
    EXPECT_EQ(on("G*5b", -1), Move::drop(-1, KIN, 5, 2));
    EXPECT_EQ(on("P*5e", 1), Move::drop(1, HU, 5, 5));
    EXPECT_EQ(on("5h2e+", -1), Move::promotion(5, 8, 8, 5, -KAKU));
    EXPECT_EQ(on("7h7g", -1), (Move{3, 8, 3, 7, -HU, -HU}));
    EXPECT_FALSE(on("7h7g", 1).has_value()) << "not the upper side's pawn";
    EXPECT_FALSE(on("4h4g", -1).has_value()) << "an empty square";

    EXPECT_EQ(playedMove(f, -1, "7h7g"), on("7h7g", -1));
    EXPECT_EQ(playedMove(f, -1, "G*5b"), on("G*5b", -1));
    EXPECT_FALSE(playedMove(f, -1, "7h7f")) << "a pawn steps one square";
    EXPECT_FALSE(playedMove(f, -1, "5h3f+")) << "the bishop may not promote outside the zone";
    EXPECT_FALSE(playedMove(f, -1, "S*5b")) << "no silver in hand";
    EXPECT_FALSE(playedMove(f, 1, "P*5d")) << "a second pawn on the file";
    EXPECT_FALSE(playedMove(f, -1, "7h7")) << "no move at all";
}
