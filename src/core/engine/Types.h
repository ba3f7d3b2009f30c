// The searching engine's own small vocabulary: colours, piece kinds, squares of a padded
// mailbox and the packed move. Plain integers, so that the hot paths stay plain data.
#pragma once

#include <cstdint>

namespace kelvore::engine {

// The two sides. The lower side plays up the screen (toward smaller y), the upper side down.
enum Color : int { LOWER = 0, UPPER = 1 };
constexpr Color operator~(Color c) {
    return Color(c ^ 1);
}

// Piece kinds. 1..7 are also the hand slots of the game (pawn, lance, knight, silver, gold,
// bishop, rook); a promotable kind promotes to kind + 8, the elephant to the prince.
enum Kind : int {
    NO_KIND = 0,
    PAWN = 1,
    LANCE = 2,
    KNIGHT = 3,
    SILVER = 4,
    GOLD = 5,
    BISHOP = 6,
    ROOK = 7,
    ELEPHANT = 8,
    PRO_PAWN = 9,
    PRO_LANCE = 10,
    PRO_KNIGHT = 11,
    PRO_SILVER = 12,
    KING = 13,
    HORSE = 14,
    DRAGON = 15,
    PRINCE = 16,
    KIND_NB = 17
};

constexpr int kHandKinds = 8; // index 1..7 used

// A piece on the board: its kind, plus 32 for the upper side. 0 is an empty square and WALL
// the frame around the board.
using Piece = std::uint8_t;
constexpr Piece NO_PIECE = 0;
constexpr Piece WALL = 64;
constexpr int PIECE_NB = 65;

constexpr Piece makePiece(Color c, int kind) {
    return Piece(kind + (c == UPPER ? 32 : 0));
}
constexpr int kindOf(Piece p) {
    return p & 31;
}
constexpr Color colorOf(Piece p) {
    return (p & 32) ? UPPER : LOWER;
}
constexpr bool isRoyal(int kind) {
    return kind == KING || kind == PRINCE;
}

// The kind a promotable kind turns into, or NO_KIND.
constexpr int promotedKind(int kind) {
    if (kind >= PAWN && kind <= ROOK && kind != GOLD) return kind + 8;
    if (kind == ELEPHANT) return PRINCE;
    return NO_KIND;
}

// The kind that goes to the captor's hand, or NO_KIND for the elephant, prince and king.
constexpr int handKindOf(int kind) {
    if (kind >= PAWN && kind <= ROOK) return kind;
    if (kind >= PRO_PAWN && kind <= PRO_SILVER) return kind - 8;
    if (kind == HORSE || kind == DRAGON) return kind - 8;
    return NO_KIND;
}

// Squares of the padded mailbox: 11 columns (x = 0 and 10 are frame) and 13 rows (two rows of
// frame above and below, so that a knight never jumps off the array). The game's square (x, y)
// is (y + 1) * 11 + x.
constexpr int kFileNb = 11;
constexpr int SQUARE_NB = 143;
using Square = int;
constexpr Square square(int x, int y) {
    return (y + 1) * kFileNb + x;
}
constexpr int fileOf(Square s) {
    return s % kFileNb;
}
constexpr int rowOf(Square s) {
    return s / kFileNb - 1;
}
constexpr bool onBoard(int x, int y) {
    return x >= 1 && x <= 9 && y >= 1 && y <= 9;
}

// Directions: toward smaller y is "up" the screen (the lower side's forward).
constexpr int UP = -kFileNb, DOWN = kFileNb, LEFT = -1, RIGHT = 1;

// The promotion zone: rows 1..3 for the lower side, 7..9 for the upper side.
constexpr bool inZone(Color c, int y) {
    return c == LOWER ? y <= 3 : y >= 7;
}

// A move packed in 32 bits: target (bits 0-7), origin square or dropped kind (8-15), promotion
// (16), drop (17), the moving piece (18-23) and the captured piece (24-30).
struct Mv {
    std::uint32_t v; // left unset by default: lists of moves are filled, not cleared

    static constexpr Mv board(Square from, Square to, Piece moved, Piece captured, bool promote) {
        return Mv{std::uint32_t(to) | std::uint32_t(from) << 8 | std::uint32_t(promote) << 16 |
                  std::uint32_t(moved) << 18 | std::uint32_t(captured) << 24};
    }
    static constexpr Mv drop(int kind, Square to, Piece moved) {
        return Mv{std::uint32_t(to) | std::uint32_t(kind) << 8 | 1u << 17 |
                  std::uint32_t(moved) << 18};
    }

    constexpr Square to() const { return Square(v & 0xFF); }
    constexpr Square from() const { return Square((v >> 8) & 0xFF); }
    constexpr int dropKind() const { return int((v >> 8) & 0xFF); }
    constexpr bool promotes() const { return (v >> 16) & 1; }
    constexpr bool isDrop() const { return (v >> 17) & 1; }
    constexpr Piece moved() const { return Piece((v >> 18) & 0x3F); }
    constexpr Piece captured() const { return Piece((v >> 24) & 0x7F); }
    // What names the move: target, origin, promotion and drop. Two moves with the same core are
    // the same move in the same position.
    constexpr std::uint32_t core() const { return v & 0x3FFFF; }
    constexpr bool isNone() const { return v == 0; }
    constexpr bool operator==(const Mv& o) const { return v == o.v; }
};

constexpr int MAX_PLY = 128;
constexpr int MAX_MOVES = 1024;

// A fixed-capacity move list: the hot paths never allocate.
struct MvList {
    Mv moves[MAX_MOVES];
    int size = 0;
    void push(Mv m) {
        if (size < MAX_MOVES) moves[size++] = m;
    }
    const Mv* begin() const { return moves; }
    const Mv* end() const { return moves + size; }
};

} // namespace kelvore::engine
