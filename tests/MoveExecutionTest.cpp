// Forced and optional promotion, and what a move does to the board, the hands and the screen.
#include "fakes/Positions.h"

using namespace kelvore;
using namespace kelvore::test;

TEST(Promotion, ForcedWhereThePieceCouldNeverMoveAgain) {
    Game g;
    const Form1& f = g.form;
    EXPECT_EQ(f.移動後チェック(1, -10), 0);
    EXPECT_EQ(f.移動後チェック(1, -20), 0);
    EXPECT_EQ(f.移動後チェック(2, -10), 1);
    EXPECT_EQ(f.移動後チェック(2, -30), 0);
    EXPECT_EQ(f.移動後チェック(1, -30), 0);
    EXPECT_EQ(f.移動後チェック(3, -30), 1);
    EXPECT_EQ(f.移動後チェック(9, 10), 0);
    EXPECT_EQ(f.移動後チェック(9, 20), 0);
    EXPECT_EQ(f.移動後チェック(8, 30), 0);
    EXPECT_EQ(f.移動後チェック(8, 20), 1);
    EXPECT_EQ(f.移動後チェック(1, -100), 1);
    EXPECT_EQ(f.移動後チェック(1, -11), 1);
}

TEST(Promotion, WhoMayPromoteAndInto) {
    Game g;
    Form1& f = g.form;
    EXPECT_EQ(f.調査_駒成(5, 3, 5, 4, -100), 1) << "a silver leaving the zone";
    EXPECT_EQ(f.PromotedCode, -101);
    EXPECT_EQ(f.調査_駒成(5, 5, 5, 4, -100), 0);
    EXPECT_EQ(f.調査_駒成(5, 4, 5, 3, -10), 1);
    EXPECT_EQ(f.PromotedCode, -11);
    EXPECT_EQ(f.調査_駒成(5, 2, 5, 4, -20), 0) << "a lance must arrive in the zone";
    EXPECT_EQ(f.調査_駒成(5, 7, 5, 6, 910), 1) << "an upper elephant leaving its zone";
    EXPECT_EQ(f.PromotedCode, 911);
    EXPECT_EQ(f.調査_駒成(5, 3, 5, 2, -910), 1);
    EXPECT_EQ(f.PromotedCode, -911);
    EXPECT_EQ(f.調査_駒成(5, 6, 5, 7, 10), 1);
    EXPECT_EQ(f.PromotedCode, 11);
    EXPECT_EQ(f.調査_駒成(3, 3, 2, 2, -800), 1);
    EXPECT_EQ(f.PromotedCode, -801);
    for (int code : {-110, -950, -911, -11, -801, -901, 110, 950, 101})
        EXPECT_EQ(f.調査_駒成(5, 2, 5, 1, code), 0) << code;
    EXPECT_EQ(f.調査_駒成(11, 3, 5, 2, -10), 0) << "a drop never promotes";
    EXPECT_EQ(f.調査_駒成(-1, 7, 5, 8, 900), 0);
}

TEST(PieceMove, CaptureFillsTheCaptorsHandWithTheUnpromotedKind) {
    Game g;
    Form1& f = g.form;
    setPosition(f, "4k4/9/9/4+r4/4e4/4+B4/9/9/4K4 b - 1");
    f.駒移動(5, 6, 5, 4, -801); // the lower horse takes the upper dragon
    EXPECT_EQ(f.OwnHand[7], 1);
    EXPECT_EQ(f.OwnHandCount, 1);
    EXPECT_EQ(f.Board[5][4], -801);
    EXPECT_EQ(f.Board[5][6], 0);
    f.駒移動(5, 5, 5, 4, 910); // ... which the elephant takes back
    EXPECT_EQ(f.EnemyHand[6], 1);
    EXPECT_EQ(f.EnemyHandCount, 1);
    f.駒移動(5, 9, 5, 8, -950);
    EXPECT_EQ(f.ManKingPos.X, 5);
    EXPECT_EQ(f.ManKingPos.Y, 8);
    f.駒移動(5, 4, 5, 8, 910); // the elephant takes the king: no hand changes
    EXPECT_EQ(f.EnemyHandCount, 1);
    EXPECT_EQ(f.OwnHandCount, 1);
    for (int i = 1; i <= 7; ++i) EXPECT_EQ(f.EnemyHand[i], i == 6 ? 1 : 0);
    f.駒移動(5, 1, 5, 2, 950);
    EXPECT_EQ(f.ComKingPos.X, 0) << "only the next survey records the upper king";
    f.駒取得(911);
    f.駒取得(-910);
    EXPECT_EQ(f.OwnHandCount, 1);
    EXPECT_EQ(f.EnemyHandCount, 1);
}

TEST(PieceMove, DropsComeFromTheHandCoordinates) {
    Game g;
    Form1& f = g.form;
    setPosition(f, "4k4/9/9/9/9/9/9/9/4K4 b P2r 1");
    f.駒移動(-1, 7, 3, 3, 900); // the upper rook slot is written from row 7
    EXPECT_EQ(f.EnemyHand[7], 1);
    EXPECT_EQ(f.EnemyHandCount, 1);
    EXPECT_EQ(f.Board[3][3], 900);
    f.駒移動(11, 3, 4, 4, -10); // the lower pawn slot from (11, 3)
    EXPECT_EQ(f.OwnHand[1], 0);
    EXPECT_EQ(f.OwnHandCount, 0);
    EXPECT_EQ(f.Board[4][4], -10);
}

TEST(PieceMove, RepaintsTheFromCellTheTargetAndTheHands) {
    Game g;
    Form1& f = g.form;
    setPosition(f, "4k4/9/9/9/4p4/4P4/9/9/4K4 b - 1");
    g.fake.canvas.clear();
    f.駒移動(5, 6, 5, 5, -10);
    const auto pictures = g.fake.canvas.of(DrawOp::Picture);
    // The lower hand is redrawn first (the capture), then the from-cell, then the target.
    ASSERT_GE(pictures.size(), 3u);
    const DrawOp& from = pictures[pictures.size() - 2];
    const DrawOp& to = pictures.back();
    EXPECT_EQ(from.value, 0);
    EXPECT_DOUBLE_EQ(from.x, 1050 + 5 * 495);
    EXPECT_DOUBLE_EQ(from.y, 100 + 6 * 615);
    EXPECT_EQ(to.value, -10);
    EXPECT_DOUBLE_EQ(to.y, 100 + 5 * 615);
    bool handShown = false;
    for (const auto& op : g.fake.canvas.of(DrawOp::Picture))
        handShown |= op.value == -10 && op.x == 1050 + 11 * 495;
    EXPECT_TRUE(handShown) << "the captured pawn appears in the lower hand";
    EXPECT_EQ(g.fake.canvas.ops.back().kind, DrawOp::Outline);
}
