// Moves written in standard notation: both sides, promotions taken and declined, forced
// promotions, drops, 同, the elephant and the prince.
#include "notation/MoveText.h"

#include "fakes/Positions.h"
#include "notation/PieceNames.h"
#include "rules/Pieces.h"

using namespace kelvore;
using namespace kelvore::notation;
using namespace kelvore::piece;
using kelvore::test::sq;

namespace {

Move boardMove(const char* from, const char* to, int moved, int placed = 0) {
    const Pos f = sq(from), t = sq(to);
    return {f.X, f.Y, t.X, t.Y, moved, placed == 0 ? moved : placed};
}

Move drop(int code, const char* to) {
    const Pos t = sq(to);
    return Move::drop(code < 0 ? -1 : 1, std::abs(code), t.X, t.Y);
}

constexpr Pos kNone{};

} // namespace

TEST(MoveText, PlainMovesOfBothSides) {
    EXPECT_EQ(moveText(boardMove("7g", "7f", -HU), kNone, Mark::Sente), "▲７六歩(77)");
    EXPECT_EQ(moveText(boardMove("3c", "3d", HU), kNone, Mark::Gote), "△３四歩(33)");
    EXPECT_EQ(moveText(boardMove("5i", "4h", -OU), kNone, Mark::Sente), "▲４八玉(59)");
    EXPECT_EQ(moveText(boardMove("6a", "5b", KIN), kNone, Mark::Gote), "△５二金(61)");
    EXPECT_EQ(moveText(boardMove("9i", "9h", -KYOU), kNone, Mark::None), "９八香(99)");
    // The side's mark follows who moved first, not which side of the board moves.
    EXPECT_EQ(moveText(boardMove("3c", "3d", HU), kNone, Mark::Sente), "▲３四歩(33)");
}

TEST(MoveText, PromotionTakenDeclinedAndForced) {
    // The bishop takes on 8b, promoting; a silver leaving the zone declines.
    EXPECT_EQ(moveText(boardMove("8h", "2b", -KAKU, -UMA), kNone, Mark::Sente), "▲２二角成(88)");
    EXPECT_EQ(moveText(boardMove("4c", "5d", -GIN), kNone, Mark::Sente), "▲５四銀不成(43)");
    EXPECT_EQ(moveText(boardMove("4c", "5d", -GIN, -NGIN), kNone, Mark::Sente), "▲５四銀成(43)");
    // Out of the zone nothing is said about promotion.
    EXPECT_EQ(moveText(boardMove("4f", "4e", -GIN), kNone, Mark::Sente), "▲４五銀(46)");
    // A pawn reaching the last rank must promote: still written 成.
    EXPECT_EQ(moveText(boardMove("1b", "1a", -HU, -TO), kNone, Mark::Sente), "▲１一歩成(12)");
    EXPECT_EQ(moveText(boardMove("2g", "2h", HU), kNone, Mark::Gote), "△２八歩不成(27)");
    // Promoted pieces move under their own names.
    EXPECT_EQ(moveText(boardMove("2b", "3c", -UMA), kNone, Mark::Sente), "▲３三馬(22)");
    EXPECT_EQ(moveText(boardMove("2h", "2a", RYU), kNone, Mark::Gote), "△２一龍(28)");
    EXPECT_EQ(moveText(boardMove("5c", "5d", -NGIN), kNone, Mark::Sente), "▲５四成銀(53)");
    EXPECT_EQ(moveText(boardMove("1g", "1f", NKYOU), kNone, Mark::Gote), "△１六成香(17)");
    EXPECT_EQ(moveText(boardMove("2g", "2f", NKEI), kNone, Mark::Gote), "△２六成桂(27)");
    EXPECT_EQ(moveText(boardMove("4d", "4c", -TO), kNone, Mark::Sente), "▲４三と(44)");
}

TEST(MoveText, DropsAndTheSameSquare) {
    EXPECT_EQ(moveText(drop(-KEI, "4e"), kNone, Mark::Sente), "▲４五桂打");
    EXPECT_EQ(moveText(drop(SYA, "5h"), kNone, Mark::Gote), "△５八飛打");
    EXPECT_EQ(moveText(boardMove("8b", "2h", KAKU, UMA), sq("2h"), Mark::Gote), "△同　角成(82)");
    EXPECT_EQ(moveText(boardMove("3i", "2h", -GIN), sq("2h"), Mark::Sente), "▲同　銀(39)");
    EXPECT_EQ(moveText(boardMove("3i", "2h", -GIN), sq("2g"), Mark::Sente), "▲２八銀(39)");
}

TEST(MoveText, TheElephantAndThePrince) {
    EXPECT_EQ(moveText(boardMove("5h", "5g", -ZOU), kNone, Mark::Sente), "▲５七象(58)");
    EXPECT_EQ(moveText(boardMove("5d", "5c", -ZOU, -KO), kNone, Mark::Sente), "▲５三象成(54)");
    EXPECT_EQ(moveText(boardMove("5d", "5c", -ZOU), kNone, Mark::Sente), "▲５三象不成(54)");
    EXPECT_EQ(moveText(boardMove("5f", "5g", ZOU), kNone, Mark::Gote), "△５七象不成(56)");
    EXPECT_EQ(moveText(boardMove("5g", "4h", KO), sq("4h"), Mark::Gote), "△同　太子(57)");
}

TEST(MoveText, NamesAndSquares) {
    EXPECT_EQ(pieceName(-OU), "玉");
    EXPECT_EQ(pieceName(KO), "太子");
    EXPECT_EQ(pieceName(0), "");
    EXPECT_EQ(pieceName(NKIN), "");
    EXPECT_EQ(squareText(1, 9), "９九");
    EXPECT_EQ(squareText(9, 1), "１一");
    EXPECT_EQ(squareText(0, 5), "");
    EXPECT_EQ(originText(11, 3), "");
    EXPECT_EQ(originText(9, 1), "(11)");
}

TEST(MoveText, EveryNameWrittenIsReadBackAsItsKind) {
    for (const PieceNames& n : kPieceNames) {
        for (std::string_view name : {n.usual, n.single}) {
            std::string_view text = name;
            EXPECT_EQ(readPieceName(text), n.kind) << name;
            EXPECT_TRUE(text.empty()) << name << " is read whole";
        }
        EXPECT_EQ(kindOfCharacter(n.single), n.kind) << n.single;
        EXPECT_EQ(namesOf(-n.kind).usual, n.usual);
    }
    std::string_view rest = "太子成(57)";
    EXPECT_EQ(readPieceName(rest), KO);
    EXPECT_EQ(rest, "成(57)");
    rest = "竜王";
    EXPECT_EQ(readPieceName(rest), RYU);
    EXPECT_EQ(readPieceName(rest), OU);
    rest = "香成";
    EXPECT_EQ(readPieceName(rest), KYOU) << "the screen's names are not the notation's";
    rest = "成";
    EXPECT_EQ(readPieceName(rest), 0);
    EXPECT_EQ(rest, "成");
    EXPECT_EQ(kindOfCharacter("成香"), 0);
    EXPECT_EQ(kindOfCharacter("子"), KO);
    EXPECT_EQ(namesOf(NKIN).screen, "");
}
