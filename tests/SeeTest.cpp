// Static exchange evaluation on hand-built exchanges: what a capture or a drop wins or loses
// when both sides keep taking on its square.
#include "engine/See.h"
#include "notation/UsiGame.h"

#include <gtest/gtest.h>

using namespace kelvore;
using namespace kelvore::engine;

namespace {

// see() of the move, checked against seeAtLeast on both sides of it.
int seeOf(const std::string& sfen, const std::string& usiMove) {
    notation::UsiGame game;
    std::string error;
    EXPECT_TRUE(game.start(sfen, error)) << error;
    const Mv move = game.move(usiMove);
    EXPECT_FALSE(move.isNone()) << usiMove << " in " << sfen;
    const Position& pos = game.position();
    const int v = see(pos, move);
    EXPECT_TRUE(seeAtLeast(pos, move, v)) << usiMove;
    EXPECT_FALSE(seeAtLeast(pos, move, v + 1)) << usiMove;
    return v;
}

const int kPawn = seeValue(PAWN), kLance = seeValue(LANCE), kSilver = seeValue(SILVER);
const int kGold = seeValue(GOLD), kBishop = seeValue(BISHOP), kRook = seeValue(ROOK);

} // namespace

TEST(See, ARookTakingADefendedPawnLosesTheRook) {
    // The upper pawn on 5d is guarded by the gold behind it.
    EXPECT_EQ(seeOf("k8/9/4g4/4p4/9/9/9/4R4/8K b - 1", "5h5d"), kPawn - kRook);
    // Unguarded, the pawn is simply won.
    EXPECT_EQ(seeOf("k8/9/9/4p4/9/9/9/4R4/8K b - 1", "5h5d"), kPawn);
    // Guarded by the king alone: the king may not take back while a second rook stands
    // behind the first, for it would be taken itself.
    EXPECT_EQ(seeOf("9/9/4k4/4p4/9/9/9/4R4/8K b - 1", "5h5d"), kPawn - kRook);
    EXPECT_EQ(seeOf("9/9/4k4/4p4/9/9/9/4R4/4R3K b - 1", "5h5d"), kPawn);
}

TEST(See, AnUndefendedBishopIsWonWhole) {
    EXPECT_EQ(seeOf("k8/9/9/9/4b4/4S4/9/9/8K b - 1", "5f5e"), kBishop);
    // Taking it with a promotion in the zone wins the promotion too.
    const int promotion = eval::pieceValue(PRO_SILVER) - eval::pieceValue(SILVER);
    EXPECT_EQ(seeOf("k8/9/4b4/4S4/9/9/9/9/8K b - 1", "5d5c+"), kBishop + promotion);
}

TEST(See, PiecesBehindALineJoinTheExchange) {
    // Two lances on a file against a silver guarded by a pawn: lance takes silver, pawn takes
    // lance, the second lance takes the pawn.
    EXPECT_EQ(seeOf("k8/9/9/4p4/4s4/9/4L4/4L4/8K b - 1", "5g5e"), kSilver - kLance + kPawn);
    // A rook behind the upper pawn would take the second lance: the lower side stops after
    // the first exchange.
    EXPECT_EQ(seeOf("k8/9/4r4/4p4/4s4/9/4L4/4L4/8K b - 1", "5g5e"), kSilver - kLance);
    // A piece that cannot move onto the square closes the line: the lance behind the knight
    // never joins, and the silvers are traded even.
    EXPECT_EQ(seeOf("k8/9/9/4p4/4s4/4NS3/9/4L4/8K b - 1", "4f5e"), kSilver - kSilver);
    EXPECT_EQ(seeOf("k8/9/9/4p4/4s4/5S3/9/4L4/8K b - 1", "4f5e"), kPawn);
    // The piece that moves opens the line behind itself.
    EXPECT_EQ(seeOf("k8/9/4g4/4p4/9/9/9/4R4/4L3K b - 1", "5h5d"), kPawn - kRook + kGold);
}

TEST(See, ADropOntoAnAttackedSquare) {
    // A gold dropped in front of a pawn is taken for nothing.
    EXPECT_EQ(seeOf("k8/9/9/4p4/9/9/9/9/8K b G 1", "G*5e"), -kGold);
    // Guarded by a pawn, the gold is traded for the pawn.
    EXPECT_EQ(seeOf("k8/9/9/4p4/9/4P4/9/9/8K b G 1", "G*5e"), kPawn - kGold);
    // A guarded pawn dropped in front of a gold costs nothing: the gold will not take it.
    EXPECT_EQ(seeOf("k8/9/9/4g4/9/3S5/9/9/8K b P 1", "P*5e"), 0);
    // Nothing attacks the square.
    EXPECT_EQ(seeOf("k8/9/9/9/9/9/9/9/8K b R 1", "R*5e"), 0);
}
