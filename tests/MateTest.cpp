// The attack and mate tests of both sides' royal pieces.
#include "fakes/Positions.h"

using namespace kelvore;
using namespace kelvore::test;

namespace {

// Surveys the position as the game does after a move, then asks both mate tests.
std::pair<int, int> mates(Form1& f) {
    f.ManKingPos.X = f.ManPrincePos.X = f.ComKingPos.X = f.ComPrincePos.X = 0;
    f.調査_2歩フラグ設定();
    f.勢力調査();
    const int man = f.詰めかMAN();
    return {man, f.詰めかCOM()};
}

class Mate : public ::testing::Test {
protected:
    Game g;
    Form1& f = g.form;
};

} // namespace

TEST_F(Mate, AdjacentGoldWithEveryEscapeCoveredIsMate) {
    // Lower king in the corner, an upper gold on its forward square guarded by a pawn.
    setPosition(f, "4k4/9/9/9/9/9/9/p8/G7K w - 1");
    setPosition(f, "4k4/9/9/9/9/9/8p/8g/8K b - 1");
    EXPECT_EQ(mates(f).first, 1);
    EXPECT_EQ(f.詰めかMAN_王(), 1);
    EXPECT_EQ(f.詰めかMAN_COM王移動(), 1);
}

TEST_F(Mate, NotInCheckIsNeverMate) {
    setPosition(f, "4k4/9/9/9/9/9/9/7g1/8K b - 1");
    EXPECT_EQ(mates(f).first, 0);
}

TEST_F(Mate, ASideWithKingAndPrinceIsNeverMated) {
    setPosition(f, "4k4/9/9/9/9/9/8p/8g/4+E3K b - 1");
    EXPECT_EQ(mates(f).first, 0);
    EXPECT_EQ(f.ManPrincePos.X, 5);
    // Without its king, the prince alone is tested in the king's place.
    setPosition(f, "4k4/9/9/9/9/9/8p/8g/8+E b - 1");
    EXPECT_EQ(mates(f).first, 1);
    EXPECT_EQ(f.詰めかMAN_子(), 1);
}

TEST_F(Mate, AKnightCheckWithAnythingInHandIsNotMate) {
    // The upper knight on (8, 7) checks the lower king on (9, 9), which its own knights and
    // lance hem in; no lower piece can take the knight.
    setPosition(f, "4k4/9/9/9/9/9/7n1/7NL/7NK b P 1");
    EXPECT_EQ(f.Board[8][7], 30);
    EXPECT_EQ(mates(f).first, 0) << "the scan finds no adjacent attacker: a drop might block";
    setPosition(f, "4k4/9/9/9/9/9/7n1/7NL/7NK b - 1");
    EXPECT_EQ(mates(f).first, 1) << "with an empty hand the same check mates";
}

TEST_F(Mate, TheElephantNeverTakesTheCheckingPiece) {
    // Only the lower elephant could capture the gold; it is not tried.
    setPosition(f, "4k4/9/9/9/9/9/8p/7Eg/8K b - 1");
    EXPECT_EQ(mates(f).first, 1);
    // A lower silver in the same place does capture it.
    setPosition(f, "4k4/9/9/9/9/9/8p/7Sg/8K b - 1");
    EXPECT_EQ(mates(f).first, 1) << "the gold is guarded by the pawn, so taking it still fails";
    setPosition(f, "4k4/9/9/9/9/9/9/7Sg/8K b - 1");
    EXPECT_EQ(mates(f).first, 0);
}

TEST_F(Mate, OnlyPawnsInHandCannotBlockOnAFileThatHoldsOne) {
    // Upper rook on (1, 1) checks the lower king on (1, 5) down file 1; silver and gold cover
    // the escapes, and the rook's ray through the king covers (1, 6).
    const std::string rest = "r8/9/2s6/9/K1g6/9/9/";
    setPosition(f, rest + "P8/4k4 b P 1");
    EXPECT_EQ(mates(f).first, 1) << "a pawn on file 1 already: the drop is refused";
    setPosition(f, rest + "9/4k4 b P 1");
    EXPECT_EQ(mates(f).first, 0) << "no pawn on the file: a dropped pawn blocks";
    setPosition(f, rest + "P8/4k4 b G 1");
    EXPECT_EQ(mates(f).first, 0) << "any other piece in hand blocks";
}

TEST_F(Mate, UpperSideMirrorsAndLeavesTheMapsOfItsLastTrial) {
    // Lower gold on (1, 2) checks the upper king on (1, 1), guarded by a lower pawn; the upper
    // rook on (9, 2) can take it.
    setPosition(f, "k8/G7r/P8/9/9/9/9/9/4K4 w - 1");
    auto [man, com] = mates(f);
    EXPECT_EQ(man, 0);
    EXPECT_EQ(com, 0);
    // The maps now describe the trial: the rook on (1, 2), the king no longer attacked.
    EXPECT_EQ(f.Board[1][2], -110) << "the board itself is restored";
    EXPECT_EQ(f.NegAttackCount[1][1], 0);
    EXPECT_EQ(f.PosAttackCount[9][2], 1) << "the rook on (1, 2) reaches its own old square";
    f.勢力調査();
    EXPECT_EQ(f.NegAttackCount[1][1], 1);
    EXPECT_EQ(f.PosAttackCount[9][2], 0);
    // Without the rook the upper king is mated.
    setPosition(f, "k8/G8/P8/9/9/9/9/9/4K4 w - 1");
    EXPECT_EQ(mates(f).second, 1);
}

TEST_F(Mate, UpperPawnBlockMirrorsTheLowerRule) {
    // Lower rook on (9, 9) checks the upper king on (9, 5) up file 9; a lower silver and gold
    // cover the escapes; the upper side holds only a pawn.
    setPosition(f, "4K4/8p/9/9/6G1k/9/6S2/9/8R w p 1");
    EXPECT_EQ(mates(f).second, 1);
    setPosition(f, "4K4/9/9/9/6G1k/9/6S2/9/8R w p 1");
    EXPECT_EQ(mates(f).second, 0);
}
