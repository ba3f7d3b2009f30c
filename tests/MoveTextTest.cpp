// Moves written in standard notation: both sides, promotions taken and declined, forced
// promotions, drops, 同, the elephant and the prince.
#include "notation/MoveText.h"

#include "analysis/Explanation.h"
#include "fakes/Positions.h"
#include "notation/NotationStyle.h"
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

// Western notation, as English books write it, on hand-built positions: the position decides
// whether a move captures and whether a like piece could also have gone to the square.
class WesternMoveText : public ::testing::Test {
protected:
    void SetUp() override { setStyle(Style::Western); }
    void TearDown() override { setStyle(Style::Japanese); }
};

TEST_F(WesternMoveText, EveryKindOfMoveOnHandBuiltPositions) {
    // Lower (upper-case) golds on 6h and 4h, a silver and a promoted silver side by side, two
    // knights that both reach 6e, a lance, a pawn one step from the last rank.
    const char* golds = "4k4/9/9/9/9/9/9/3G1G3/4K4 b - 1";
    const char* likes = "4k4/8P/9/9/3p5/9/2N1N4/3S+S4/L3K4 b - 1";
    // A bishop's diagonal to an upper silver on 2b; a silver in the lower hand; upper golds on
    // 6c and 4c, an upper bishop and a rook in its hand.
    const char* capture = "4k4/7s1/3g1g3/3b5/9/9/9/1B7/4K4 b Sr 1";
    // Promoted pieces, the elephant below the zone, an upper prince, the kings.
    const char* promoted = "4k4/+R8/9/4E4/+P+L+N+S5/2+e6/9/4+b4/4K4 b - 1";
    // A lower pawn on 7f and an upper pawn on 7e that takes it back.
    const char* recapture = "4k4/9/9/9/2p6/2P6/9/9/4K4 w - 1";
    struct Case {
        const char* sfen;
        Move move;
        Pos previousTo;
        Mark mark;
        const char* western;
    };
    const Case cases[] = {
        // Plain moves of both sides, the origin only where a like piece reaches the square.
        {golds, boardMove("6h", "6g", -KIN), kNone, Mark::Sente, "▲G-6g"},
        {golds, boardMove("6h", "5h", -KIN), kNone, Mark::Sente, "▲G6h-5h"},
        {golds, boardMove("4h", "5h", -KIN), kNone, Mark::Sente, "▲G4h-5h"},
        {golds, boardMove("5i", "4i", -OU), kNone, Mark::Sente, "▲K-4i"},
        {likes, boardMove("7g", "6e", -KEI), kNone, Mark::Sente, "▲N7gx6e"},
        {likes, boardMove("5g", "6e", -KEI), kNone, Mark::Gote, "△N5gx6e"},
        // A silver and a promoted silver are not like pieces.
        {likes, boardMove("6h", "6g", -GIN), kNone, Mark::Sente, "▲S-6g"},
        {likes, boardMove("5h", "6g", -NGIN), kNone, Mark::Sente, "▲+S-6g"},
        {likes, boardMove("9i", "9c", -KYOU), kNone, Mark::Sente, "▲L-9c="},
        {likes, boardMove("9i", "9c", -KYOU, -NKYOU), kNone, Mark::Sente, "▲L-9c+"},
        {likes, boardMove("1b", "1a", -HU, -TO), kNone, Mark::Sente, "▲P-1a+"},
        {capture, boardMove("8h", "2b", -KAKU, -UMA), kNone, Mark::Sente, "▲Bx2b+"},
        {capture, boardMove("8h", "2b", -KAKU), kNone, Mark::Sente, "▲Bx2b="},
        {capture, drop(-GIN, "5e"), kNone, Mark::Sente, "▲S*5e"},
        {capture, boardMove("2b", "3c", GIN), kNone, Mark::Gote, "△S-3c"},
        {capture, boardMove("6c", "5d", KIN), kNone, Mark::Gote, "△G6c-5d"},
        {capture, boardMove("4c", "4d", KIN), kNone, Mark::Gote, "△G-4d"},
        {capture, boardMove("6d", "2h", KAKU), kNone, Mark::Gote, "△B-2h="},
        {capture, boardMove("6d", "2h", KAKU, UMA), kNone, Mark::Gote, "△B-2h+"},
        {capture, drop(SYA, "5h"), kNone, Mark::Gote, "△R*5h"},
        {promoted, boardMove("9b", "2b", -RYU), kNone, Mark::Sente, "▲+R-2b"},
        {promoted, boardMove("9e", "9d", -TO), kNone, Mark::Sente, "▲+P-9d"},
        {promoted, boardMove("8e", "8d", -NKYOU), kNone, Mark::Sente, "▲+L-8d"},
        {promoted, boardMove("7e", "7d", -NKEI), kNone, Mark::Sente, "▲+N-7d"},
        {promoted, boardMove("6e", "6d", -NGIN), kNone, Mark::Sente, "▲+S-6d"},
        {promoted, boardMove("5h", "5i", UMA), kNone, Mark::Gote, "△+Bx5i"},
        {promoted, boardMove("5d", "5c", -ZOU, -KO), kNone, Mark::Sente, "▲DE-5c+"},
        {promoted, boardMove("5d", "5c", -ZOU), kNone, Mark::Sente, "▲DE-5c="},
        {promoted, boardMove("5d", "4e", -ZOU), kNone, Mark::Sente, "▲DE-4e"},
        {promoted, boardMove("7f", "7g", KO), kNone, Mark::Gote, "△CP-7g"},
        // The recapture names its square again, where Japanese writes 同.
        {recapture, boardMove("7e", "7f", HU), sq("7f"), Mark::Gote, "△Px7f"},
        {recapture, boardMove("7e", "7f", HU), sq("7f"), Mark::None, "Px7f"},
    };
    for (const Case& c : cases) {
        const engine::GameSnapshot before = test::snapshotOfSfen(c.sfen);
        EXPECT_EQ(moveText(before, c.move, c.previousTo, c.mark), c.western) << c.western;
        // The Japanese choice writes what the Japanese text always wrote.
        setStyle(Style::Japanese);
        EXPECT_EQ(moveText(before, c.move, c.previousTo, c.mark),
                  moveText(c.move, c.previousTo, c.mark));
        setStyle(Style::Western);
    }
    setStyle(Style::Japanese);
    EXPECT_EQ(
        moveText(test::snapshotOfSfen(recapture), boardMove("7e", "7f", HU), sq("7f"), Mark::Gote),
        "△同　歩(75)");
}

TEST_F(WesternMoveText, NamesSquaresAndLinesPlayedAlong) {
    EXPECT_EQ(westernSquareText(3, 6), "7f");
    EXPECT_EQ(westernSquareText(9, 1), "1a");
    EXPECT_EQ(westernSquareText(0, 1), "");
    EXPECT_EQ(playerPieceName(ZOU), "DE");
    EXPECT_EQ(playerPieceName(-KO), "CP");
    EXPECT_EQ(playerPieceName(UMA), "+B");
    // A line is played along, so its second move sees the pawn the first one put there.
    const engine::GameSnapshot start = test::snapshotOfSfen("4k4/9/9/9/2p6/9/2P6/9/4K4 b - 1");
    const std::vector<Move> line{boardMove("7g", "7f", -HU), boardMove("7e", "7f", HU)};
    EXPECT_EQ(analysis::lineText(start, line, kNone, -1), "▲P-7f △Px7f");
    setStyle(Style::Japanese);
    EXPECT_EQ(playerPieceName(ZOU), "象");
    EXPECT_EQ(analysis::lineText(start, line, kNone, -1), "▲７六歩(77) △同　歩(75)");
}
