// 移動チェック and its slides: which moves and drops the game accepts.
#include "fakes/Positions.h"

#include <set>

using namespace kelvore;
using namespace kelvore::test;

namespace {

// Every target that 移動チェック accepts for the piece on (x, y).
std::set<std::pair<int, int>> reach(const Form1& f, int x, int y) {
    std::set<std::pair<int, int>> r;
    for (int tx = 0; tx <= 10; ++tx)
        for (int ty = 0; ty <= 10; ++ty)
            if (f.移動チェック(x, y, tx, ty, f.Board[x][y]) == 1) r.insert({tx, ty});
    return r;
}

std::set<std::pair<int, int>> around(int x, int y, std::initializer_list<std::pair<int, int>> d) {
    std::set<std::pair<int, int>> r;
    for (auto [dx, dy] : d) r.insert({x + dx, y + dy});
    return r;
}

class MoveCheck : public ::testing::Test {
protected:
    Game g;
    Form1& f = g.form;
    void SetUp() override { clearBoard(f); }
};

} // namespace

TEST_F(MoveCheck, ElephantHasSevenStepsAndThePrinceEight) {
    f.Board[5][5] = -910;
    EXPECT_EQ(reach(f, 5, 5),
              around(5, 5, {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {1, 1}}));
    f.Board[5][5] = 910; // the upper elephant's straight back is toward the top
    EXPECT_EQ(reach(f, 5, 5),
              around(5, 5, {{-1, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}}));
    f.Board[5][5] = -911;
    EXPECT_EQ(reach(f, 5, 5).size(), 8u);
    // In front of its king: the elephant reaches the king's diagonal neighbours, never (5, 9).
    f.Board[5][5] = 0;
    f.Board[5][8] = -910;
    EXPECT_EQ(f.移動チェック(5, 8, 4, 9, -910), 1);
    EXPECT_EQ(f.移動チェック(5, 8, 6, 9, -910), 1);
    EXPECT_EQ(f.移動チェック(5, 8, 5, 9, -910), 0);
    EXPECT_EQ(f.移動チェック(5, 8, 5, 9, -911), 1);
}

TEST_F(MoveCheck, StepPiecesOfBothSides) {
    f.Board[5][5] = -100; // lower silver: three forward, two diagonally back
    EXPECT_EQ(reach(f, 5, 5), around(5, 5, {{-1, -1}, {0, -1}, {1, -1}, {-1, 1}, {1, 1}}));
    f.Board[5][5] = 100;
    EXPECT_EQ(reach(f, 5, 5), around(5, 5, {{-1, 1}, {0, 1}, {1, 1}, {-1, -1}, {1, -1}}));
    for (int gold : {-110, -11, -21, -31, -101}) {
        f.Board[5][5] = gold;
        EXPECT_EQ(reach(f, 5, 5),
                  around(5, 5, {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {0, 1}}))
            << gold;
    }
    f.Board[5][5] = 110;
    EXPECT_EQ(reach(f, 5, 5), around(5, 5, {{-1, 1}, {0, 1}, {1, 1}, {-1, 0}, {1, 0}, {0, -1}}));
    f.Board[5][5] = -30;
    EXPECT_EQ(reach(f, 5, 5), around(5, 5, {{-1, -2}, {1, -2}}));
    f.Board[5][5] = 30;
    EXPECT_EQ(reach(f, 5, 5), around(5, 5, {{-1, 2}, {1, 2}}));
    f.Board[5][5] = -10;
    EXPECT_EQ(reach(f, 5, 5), around(5, 5, {{0, -1}}));
    f.Board[5][5] = -950;
    EXPECT_EQ(reach(f, 5, 5).size(), 8u);
    f.Board[5][4] = -10; // never onto its own side's piece
    EXPECT_EQ(f.移動チェック(5, 5, 5, 4, -950), 0);
    f.Board[5][4] = 10;
    EXPECT_EQ(f.移動チェック(5, 5, 5, 4, -950), 1);
}

TEST_F(MoveCheck, SlidesStopAtTheFirstPieceAndMayCaptureIt) {
    f.Board[1][9] = -800;
    f.Board[4][6] = 10; // an upper pawn on the diagonal
    EXPECT_EQ(f.移動チェック(1, 9, 3, 7, -800), 1);
    EXPECT_EQ(f.移動チェック(1, 9, 4, 6, -800), 1) << "the first blocker may be captured";
    EXPECT_EQ(f.移動チェック(1, 9, 5, 5, -800), 0) << "nothing passes a piece";
    EXPECT_EQ(f.移動チェック(1, 9, 2, 7, -800), 0) << "not a diagonal";
    f.Board[4][6] = -10;
    EXPECT_EQ(f.移動チェック(1, 9, 4, 6, -800), 0) << "its own piece blocks and cannot be taken";

    f.Board[9][9] = -20; // lance: forward only, any distance
    f.Board[9][3] = 10;
    EXPECT_EQ(f.移動チェック(9, 9, 9, 4, -20), 1);
    EXPECT_EQ(f.移動チェック(9, 9, 9, 3, -20), 1);
    EXPECT_EQ(f.移動チェック(9, 9, 9, 2, -20), 0);
    f.Board[9][5] = 20;
    EXPECT_EQ(f.移動チェック(9, 5, 9, 8, 20), 1);
    EXPECT_EQ(f.移動チェック(9, 5, 9, 4, 20), 0) << "never backward";

    f.Board[5][5] = -901; // dragon: rook lines and one diagonal step
    EXPECT_EQ(f.移動チェック(5, 5, 6, 6, -901), 1);
    EXPECT_EQ(f.移動チェック(5, 5, 7, 7, -901), 0);
    EXPECT_EQ(f.移動チェック(5, 5, 5, 1, -901), 1);
    f.Board[5][5] = -801; // horse: bishop lines and one orthogonal step
    EXPECT_EQ(f.移動チェック(5, 5, 5, 4, -801), 1);
    EXPECT_EQ(f.移動チェック(5, 5, 5, 3, -801), 0);
    EXPECT_EQ(f.移動チェック(5, 5, 8, 2, -801), 1);
    EXPECT_EQ(f.移動チェック飛車(5, 5, 6, 6), 0);
    EXPECT_EQ(f.移動チェック角(5, 5, 5, 7), 0);
}

TEST_F(MoveCheck, TargetsOffTheBoardOrTheSameSquareAreRefused) {
    f.Board[5][5] = -950;
    EXPECT_EQ(f.移動チェック(5, 5, 5, 5, -950), 0);
    f.Board[1][5] = -901;
    EXPECT_EQ(f.移動チェック(1, 5, 0, 5, -901), 0);
    f.Board[9][5] = -901;
    EXPECT_EQ(f.移動チェック(9, 5, 10, 5, -901), 0);
    EXPECT_EQ(f.移動チェック(9, 5, 9, 0, -901), 0);
}

TEST_F(MoveCheck, TwoPawnRuleCountsOnlyUnpromotedPawns) {
    f.Board[5][7] = -10;
    f.調査_2歩フラグ設定();
    EXPECT_EQ(f.ManPawnFile[5], 1);
    EXPECT_EQ(f.移動チェック(11, 3, 5, 4, -10), 0);
    EXPECT_EQ(f.移動チェック(11, 3, 4, 4, -10), 1);
    EXPECT_EQ(f.移動チェック(-1, 1, 5, 4, 10), 1) << "the other side's pawn does not count";
    f.Board[5][7] = -11; // a tokin on the file
    f.調査_2歩フラグ設定();
    EXPECT_EQ(f.ManPawnFile[5], 0);
    EXPECT_EQ(f.移動チェック(11, 3, 5, 4, -10), 1);
    f.Board[2][2] = 10;
    f.調査_2歩フラグ設定();
    EXPECT_EQ(f.ComPawnFile[2], 1);
    EXPECT_EQ(f.移動チェック(-1, 1, 2, 5, 10), 0);
}

TEST_F(MoveCheck, DropsGoOnlyToEmptySquaresWhereThePieceCanMoveAgain) {
    f.調査_2歩フラグ設定();
    for (int y = 1; y <= 9; ++y) {
        EXPECT_EQ(f.移動チェック(11, 5, 5, y, -30), y >= 3 ? 1 : 0) << y;
        EXPECT_EQ(f.移動チェック(-1, 3, 5, y, 30), y <= 7 ? 1 : 0) << y;
        EXPECT_EQ(f.移動チェック(11, 3, 5, y, -10), y >= 2 ? 1 : 0) << y;
        EXPECT_EQ(f.移動チェック(11, 4, 5, y, -20), y >= 2 ? 1 : 0) << y;
        EXPECT_EQ(f.移動チェック(-1, 1, 5, y, 10), y <= 8 ? 1 : 0) << y;
        EXPECT_EQ(f.移動チェック(-1, 2, 5, y, 20), y <= 8 ? 1 : 0) << y;
        EXPECT_EQ(f.移動チェック(11, 9, 5, y, -900), 1) << "a rook may go anywhere";
    }
    f.Board[3][3] = 10;
    EXPECT_EQ(f.移動チェック(11, 7, 3, 3, -110), 0) << "a drop never captures";
    f.Board[3][3] = -10;
    EXPECT_EQ(f.移動チェック(11, 7, 3, 3, -110), 0);
}

TEST_F(MoveCheck, MovesThatLeaveTheKingAttackedAreTheCallersBusiness) {
    setPosition(f, "4k4/9/9/9/4r4/9/9/4G4/4K4 b - 1");
    EXPECT_EQ(f.移動チェック(5, 8, 4, 7, -110), 1) << "the gold may leave the king to the rook";
    // And a pawn drop that mates is accepted: there is no rule against it.
    setPosition(f, "4k4/4G4/9/9/9/9/9/9/4K4 b P 1");
    f.調査_2歩フラグ設定();
    EXPECT_EQ(f.移動チェック(11, 3, 5, 2, -10), 0) << "occupied";
    setPosition(f, "3gkg3/9/4G4/9/9/9/9/9/4K4 b P 1");
    f.調査_2歩フラグ設定();
    EXPECT_EQ(f.移動チェック(11, 3, 5, 2, -10), 1);
}
