// The influence survey and its determinations.
#include "fakes/Positions.h"

using namespace kelvore;
using namespace kelvore::test;

namespace {

class Survey : public ::testing::Test {
protected:
    Game g;
    Form1& f = g.form;
    void SetUp() override { clearBoard(f); }
    int total(const Map& m) {
        int t = 0;
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) t += m[x][y];
        return t;
    }
};

} // namespace

TEST_F(Survey, AnEmptyBoardHoldsTheStartValues) {
    f.勢力調査();
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            EXPECT_EQ(f.NegAttackCount[x][y], 0);
            EXPECT_EQ(f.PosAttackCount[x][y], 0);
            EXPECT_EQ(f.NegGuardValue[x][y], 999);
            EXPECT_EQ(f.PosGuardValue[x][y], 999);
            EXPECT_EQ(f.PosThreatValue[x][y], 999);
            EXPECT_EQ(f.NegThreatValue[x][y], -999);
            EXPECT_EQ(f.NegCheckLine[x][y], 0);
            EXPECT_EQ(f.PosCheckLine[x][y], 0);
        }
}

TEST_F(Survey, PiecesOnTheirLastRanksRecordNothing) {
    f.Board[3][1] = -10;
    f.Board[4][1] = -30;
    f.Board[5][2] = -30;
    f.Board[6][1] = -20;
    f.Board[3][9] = 10;
    f.Board[4][8] = 30;
    f.Board[6][9] = 20;
    f.勢力調査();
    EXPECT_EQ(total(f.NegAttackCount), 0);
    EXPECT_EQ(total(f.PosAttackCount), 0);
    clearBoard(f);
    f.Board[1][5] = -30; // on the edge only the inward jump is on the board
    f.勢力調査();
    EXPECT_EQ(total(f.NegAttackCount), 1);
    EXPECT_EQ(f.NegAttackCount[2][3], 1);
}

TEST_F(Survey, APawnCheckingTheUpperKing) {
    f.Board[5][6] = -10;
    f.Board[5][5] = 950;
    f.勢力調査();
    EXPECT_EQ(f.NegAttackCount[5][5], 1);
    EXPECT_EQ(f.NegThreatValue[5][5], -10);
    EXPECT_EQ(f.NegThreatX[5][5], 5);
    EXPECT_EQ(f.NegThreatY[5][5], 6);
    EXPECT_EQ(f.NegCheckLine[5][6], 9);
    EXPECT_EQ(f.ComKingPos.X, 5);
    EXPECT_EQ(f.ComKingPos.Y, 5);
    // The king counts its own square among its nine.
    EXPECT_EQ(f.PosAttackCount[5][5], 1);
    EXPECT_EQ(f.PosGuardValue[5][5], 950);
}

TEST_F(Survey, TheElephantGivesNoCheckMarkButTheSilverDoes) {
    f.Board[5][5] = 950;
    f.Board[5][6] = -910;
    f.勢力調査();
    EXPECT_EQ(f.NegAttackCount[5][5], 1);
    EXPECT_EQ(f.NegCheckLine[5][6], 0);
    f.Board[5][6] = -100;
    f.勢力調査();
    EXPECT_EQ(f.NegCheckLine[5][6], 9);
}

TEST_F(Survey, UpperDefendersKeepPositionsOnlyWhereTheirPieceWritesThem) {
    f.Board[5][5] = 100;    // the upper silver defended by
    f.Board[5][4] = 10;     // a pawn behind it
    f.Board[4][5] = 110;    // and a gold beside it
    f.PosGuardX[5][5] = 77; // what the maps held before
    f.PosGuardY[5][5] = 66;
    f.勢力調査();
    EXPECT_EQ(f.PosGuardValue[5][5], 10);
    EXPECT_EQ(f.PosGuardX[5][5], 77);
    EXPECT_EQ(f.PosGuardY[5][5], 66);
    EXPECT_EQ(f.PosAttackCount[5][5], 2);
    // An upper knight does write its position.
    clearBoard(f);
    f.Board[5][5] = 100;
    f.Board[4][3] = 30;
    f.勢力調査();
    EXPECT_EQ(f.PosGuardValue[5][5], 30);
    EXPECT_EQ(f.PosGuardX[5][5], 4);
    EXPECT_EQ(f.PosGuardY[5][5], 3);
}

TEST_F(Survey, EqualAttackersKeepTheFirstInScanOrder) {
    f.Board[5][5] = 10;   // an upper pawn attacked by
    f.Board[4][6] = -100; // two lower silvers, the smaller x first
    f.Board[6][6] = -100;
    f.勢力調査();
    EXPECT_EQ(f.NegThreatValue[5][5], -100);
    EXPECT_EQ(f.NegThreatX[5][5], 4);
    EXPECT_EQ(f.NegAttackCount[5][5], 2);
    // The cheapest lower attacker is the highest code; a pawn wins over a silver.
    f.Board[5][6] = -10;
    f.勢力調査();
    EXPECT_EQ(f.NegThreatValue[5][5], -10);
    EXPECT_EQ(f.NegThreatX[5][5], 5);
}

TEST_F(Survey, HorsesRecordStepsAndDiagonalsDifferently) {
    f.Board[5][5] = -801;
    f.Board[5][4] = 10;
    f.Board[4][4] = 10;
    f.Board[7][3] = 10;
    f.勢力調査();
    EXPECT_EQ(f.NegThreatValue[5][4], -801);
    EXPECT_EQ(f.NegThreatValue[4][4], -800);
    EXPECT_EQ(f.NegThreatValue[7][3], -800);
    clearBoard(f);
    f.Board[5][5] = 801;
    f.Board[5][6] = -10;
    f.Board[6][6] = -10;
    f.勢力調査();
    EXPECT_EQ(f.PosThreatValue[5][6], 999) << "the upper horse's steps record no threat";
    EXPECT_EQ(f.PosAttackCount[5][6], 1);
    EXPECT_EQ(f.PosThreatValue[6][6], 801);
    EXPECT_EQ(f.PosThreatX[6][6], 5);
}

TEST_F(Survey, UpperGoldLikePiecesRecordAsGoldWithoutThreats) {
    f.Board[5][5] = 11; // an upper tokin, only defender of an upper pawn
    f.Board[5][6] = 10;
    f.Board[4][5] = -100; // and beside it a lower silver
    f.PosThreatX[4][5] = 3;
    f.勢力調査();
    EXPECT_EQ(f.PosGuardValue[5][6], 110);
    EXPECT_EQ(f.PosThreatValue[4][5], 999);
    EXPECT_EQ(f.PosThreatX[4][5], 3);
    EXPECT_EQ(f.PosAttackCount[4][5], 1);
}

TEST_F(Survey, AGoldInFrontOfOrBehindThePrinceMarksTheCheckLine) {
    f.Board[5][5] = -911;
    f.Board[5][4] = 110; // on the prince's forward square
    f.Board[5][6] = 110; // behind it
    f.勢力調査();
    EXPECT_EQ(f.PosCheckLine[5][4], 9);
    EXPECT_EQ(f.PosCheckLine[5][6], 9);
    EXPECT_EQ(f.ManPrincePos.X, 5);
}

TEST_F(Survey, ARayPassesThroughTheKingButStopsOnThePrince) {
    f.Board[5][9] = -900;
    f.Board[5][5] = 950;
    f.Board[5][3] = 10;
    f.勢力調査();
    for (int y = 3; y <= 8; ++y) EXPECT_EQ(f.NegAttackCount[5][y], 1) << y;
    EXPECT_EQ(f.NegAttackCount[5][2], 0);
    EXPECT_EQ(f.NegThreatValue[5][5], -900);
    EXPECT_EQ(f.NegThreatValue[5][3], -900);
    EXPECT_EQ(f.NegThreatY[5][3], 9);
    for (int y = 6; y <= 8; ++y) EXPECT_EQ(f.NegCheckLine[5][y], 1);
    EXPECT_EQ(f.NegCheckLine[5][9], 9);
    EXPECT_EQ(f.NegCheckLine[5][4], 0);

    f.Board[5][5] = 911;
    f.勢力調査();
    EXPECT_EQ(f.NegAttackCount[5][4], 0);
    EXPECT_EQ(f.NegAttackCount[5][5], 1);
    for (int y = 6; y <= 8; ++y) EXPECT_EQ(f.NegCheckLine[5][y], 1);

    // Through the king onto the prince: the line to the prince includes the king's square.
    f.Board[5][5] = 950;
    f.Board[5][3] = 911;
    f.勢力調査();
    EXPECT_EQ(f.NegCheckLine[5][5], 1);
    EXPECT_EQ(f.NegCheckLine[5][4], 1);
    EXPECT_EQ(f.NegCheckLine[5][9], 9);
}

TEST_F(Survey, ARayEndsOnItsOwnSidesPieceAfterOneDefence) {
    f.Board[5][9] = -900;
    f.Board[5][8] = -10;
    f.勢力調査();
    EXPECT_EQ(f.NegAttackCount[5][8], 1);
    EXPECT_EQ(f.NegGuardValue[5][8], -900);
    EXPECT_EQ(f.NegAttackCount[5][7], 1) << "only the pawn's own step";
    EXPECT_EQ(f.NegAttackCount[5][6], 0);
}

TEST_F(Survey, UpperRaysWritePositionsAndMarkLinesToTheLowerRoyals) {
    f.Board[1][1] = 800;
    f.Board[5][5] = -950;
    f.Board[3][3] = 0;
    f.勢力調査();
    EXPECT_EQ(f.PosThreatValue[5][5], 800);
    EXPECT_EQ(f.PosThreatX[5][5], 1);
    EXPECT_EQ(f.PosCheckLine[1][1], 9);
    EXPECT_EQ(f.PosCheckLine[2][2], 1);
    EXPECT_EQ(f.PosCheckLine[4][4], 1);
    EXPECT_EQ(f.PosAttackCount[6][6], 1) << "behind the king";
    EXPECT_EQ(f.ManKingPos.X, 5);
}

TEST_F(Survey, ALoneKingAttacksItsBlockAndGuardsItself) {
    f.Board[1][9] = -950;
    f.勢力調査();
    EXPECT_EQ(f.NegAttackCount[1][9], 1);
    EXPECT_EQ(f.NegGuardValue[1][9], -950);
    EXPECT_EQ(f.NegAttackCount[2][8], 1);
    EXPECT_EQ(total(f.NegAttackCount), 4);
}

TEST_F(Survey, RoyalPositionsAreRecordedButNeverCleared) {
    f.Board[2][2] = -911;
    f.Board[8][8] = 911;
    f.勢力調査();
    EXPECT_EQ(f.ManPrincePos.X, 2);
    EXPECT_EQ(f.ComPrincePos.X, 8);
    f.Board[2][2] = 0;
    f.勢力調査();
    EXPECT_EQ(f.ManPrincePos.X, 2) << "the callers clear them before a survey";
}

TEST(Immovable, PiecesShieldingTheLowerKingFromALongRangePiece) {
    Game g;
    Form1& f = g.form;
    setPosition(f, "4k4/9/4r4/9/9/9/3PS4/9/4K4 b - 1");
    f.勢力調査();
    f.調査_移動不可駒();
    EXPECT_EQ(f.NegImmovable[5][7], 1);
    EXPECT_EQ(f.NegImmovable[4][7], 0);
    EXPECT_EQ(f.PosImmovableFlag, 0);
    EXPECT_EQ(f.Board[5][7], -100) << "the board is restored";
    // A knight or gold in the rook's place pins nothing.
    setPosition(f, "4k4/9/9/9/4n4/4g4/4S4/9/4K4 b - 1");
    f.勢力調査();
    f.調査_移動不可駒();
    EXPECT_EQ(f.NegImmovable[5][7], 0);
}

TEST(Immovable, AnOpenCheckMarksEveryLowerPieceAndTheKingItself) {
    Game g;
    Form1& f = g.form;
    setPosition(f, "4k4/9/4r4/9/9/9/P7P/9/4K4 b - 1");
    f.勢力調査();
    f.調査_移動不可駒();
    EXPECT_EQ(f.NegImmovable[1][7], 1);
    EXPECT_EQ(f.NegImmovable[9][7], 1);
    EXPECT_EQ(f.NegImmovable[5][9], 1);
}

TEST(Immovable, WithoutALowerKingNothingIsMarkedAndUpperPinsOnlyRaiseTheFlag) {
    Game g;
    Form1& f = g.form;
    setPosition(f, "4k4/4g4/9/9/4R4/9/9/4S4/4+E4 b - 1");
    f.勢力調査();
    f.調査_移動不可駒();
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) EXPECT_EQ(f.NegImmovable[x][y], 0);
    EXPECT_EQ(f.PosImmovableFlag, 1) << "the upper gold shields its king from the rook";
}
