// The identity of a move: which fields make two moves the same, the one origin of a drop, the
// promoted code, and the same move as a record holds it (the clicked hand row and the clocks
// aside).
#include "record/RecordFile.h"
#include "rules/TrialMove.h"

#include <gtest/gtest.h>

using namespace kelvore;
using namespace kelvore::piece;

TEST(MoveIdentity, ADropComesFromItsSidesHandAtItsSlotsRow) {
    // The lower hand is column 11 from row 3 (the pawn's slot 1) down; the upper hand is
    // column -1 with the slot as the row.
    EXPECT_EQ(Move::drop(-1, HU, 5, 5), (Move{11, 3, 5, 5, -HU, -HU}));
    EXPECT_EQ(Move::drop(-1, SYA, 1, 9), (Move{11, 9, 1, 9, -SYA, -SYA}));
    EXPECT_EQ(Move::drop(1, KAKU, 5, 4), (Move{-1, 6, 5, 4, KAKU, KAKU}));
    EXPECT_TRUE(Move::drop(1, KIN, 2, 2).isDrop());
    EXPECT_FALSE(Move::drop(1, KIN, 2, 2).promotes());
    // The same piece dropped by the same side on the same square is one move; another square,
    // another kind or the other side is another move.
    EXPECT_EQ(Move::drop(1, GIN, 3, 3), Move::drop(1, GIN, 3, 3));
    EXPECT_NE(Move::drop(1, GIN, 3, 3), Move::drop(1, GIN, 3, 4));
    EXPECT_NE(Move::drop(1, GIN, 3, 3), Move::drop(1, KIN, 3, 3));
    EXPECT_NE(Move::drop(1, GIN, 3, 3), Move::drop(-1, GIN, 3, 3));
}

TEST(MoveIdentity, APromotionIsTheKindPlusOneOnTheMoversSide) {
    EXPECT_EQ(promotedCode(-HU), -TO);
    EXPECT_EQ(promotedCode(KAKU), UMA);
    EXPECT_EQ(promotedCode(-ZOU), -KO);
    const Move promoted = Move::promotion(8, 8, 2, 2, -KAKU);
    EXPECT_EQ(promoted, (Move{8, 8, 2, 2, -KAKU, -UMA}));
    EXPECT_TRUE(promoted.promotes());
    // Promoting or not makes two moves; so does another piece on the same squares.
    EXPECT_NE(promoted, (Move{8, 8, 2, 2, -KAKU, -KAKU}));
    EXPECT_NE((Move{5, 5, 5, 4, -GIN, -GIN}), (Move{5, 5, 5, 4, -KIN, -KIN}));
}

TEST(MoveIdentity, ARecordedMoveIsTheSameWhateverHandRowAndClocks) {
    // The lower side drops a bishop (slot 6) from the row it clicked, row 8 or row 3.
    RecordMove clicked{11, 8, 5, 5, -KAKU, -KAKU, 0, 12, 19, 0, 7};
    RecordMove other = clicked;
    other.FromY = 3;
    other.ManTimeAfter = 40;
    EXPECT_EQ(moveOf(clicked), Move::drop(-1, KAKU, 5, 5));
    EXPECT_EQ(clicked, other);
    // The piece taken is part of the recorded move, and so is the hand column written.
    RecordMove takes = clicked;
    takes.CapturedPiece = HU;
    EXPECT_NE(clicked, takes);
    RecordMove otherColumn = clicked;
    otherColumn.FromX = -1;
    EXPECT_NE(clicked, otherColumn);

    // A board move keeps its squares; back from a Move it takes the piece given and no time.
    const RecordMove board = recordMoveOf(Move::promotion(2, 3, 2, 2, -HU), KEI);
    EXPECT_EQ(board.FromX, 2);
    EXPECT_EQ(board.FromY, 3);
    EXPECT_EQ(board.MovedPiece, -HU);
    EXPECT_EQ(board.PlacedPiece, -TO);
    EXPECT_EQ(board.CapturedPiece, KEI);
    EXPECT_EQ(board.ManTimeBefore + board.ComTimeAfter, 0);
    EXPECT_EQ(moveOf(board), Move::promotion(2, 3, 2, 2, -HU));
}
