// The searching engine's own position: a padded mailbox, both hands, the side to move, where the
// royal pieces stand, the pawn files, the hash and the running material and square sum. make()
// and unmake() change it in place and restore every field exactly.
#pragma once

#include "engine/EvalTables.h"
#include "engine/Types.h"
#include "engine/Zobrist.h"

#include <cstdint>

namespace kelvore::engine {

// The eight one-step directions, by index; on a lower piece index 0 is its forward step.
inline constexpr int kDirections[8] = {UP,        DOWN,       LEFT,        RIGHT,
                                       UP + LEFT, UP + RIGHT, DOWN + LEFT, DOWN + RIGHT};

// Which directions a piece steps in (bit i for kDirections[i]) and which it slides along.
struct PieceMoves {
    std::uint8_t step[PIECE_NB];
    std::uint8_t slide[PIECE_NB];
};
const PieceMoves& pieceMoves();

// A set of board squares: bit (y - 1) * 9 + (x - 1) for the square (x, y), in two words.
struct SquareSet {
    std::uint64_t low = 0, high = 0;

    static constexpr int indexOf(Square s) { return (rowOf(s) - 1) * 9 + fileOf(s) - 1; }
    static constexpr Square squareOf(int index) { return square(index % 9 + 1, index / 9 + 1); }
    void add(Square s) {
        const int i = indexOf(s);
        if (i < 64)
            low |= 1ull << i;
        else
            high |= 1ull << (i - 64);
    }
    void erase(Square s) {
        const int i = indexOf(s);
        if (i < 64)
            low &= ~(1ull << i);
        else
            high &= ~(1ull << (i - 64));
    }
    bool empty() const { return (low | high) == 0; }
    // Calls f(square) for each square of the set, from the top row down, left to right.
    template <class F> void forEach(F&& f) const {
        for (std::uint64_t b = low; b; b &= b - 1) f(squareOf(__builtin_ctzll(b)));
        for (std::uint64_t b = high; b; b &= b - 1) f(squareOf(64 + __builtin_ctzll(b)));
    }
};

class Position {
public:
    // Empty board, empty hands, lower side to move.
    Position();

    // Sets the position from the game's codes: board[x][y] for x, y in 1..9 (Form1::Board),
    // hands by slot 1..7 (lower: Form1::OwnHand, upper: Form1::EnemyHand). Codes that are not
    // pieces are read as empty squares; hand counts are clamped to 0..40.
    void set(const int board[10][10], const int lowerHand[8], const int upperHand[8],
             Color sideToMove);

    Piece at(Square s) const { return board_[s]; }
    // The squares of a side's pieces.
    const SquareSet& pieces(Color c) const { return pieces_[c]; }
    int hand(Color c, int kind) const { return hand_[c][kind]; }
    bool handEmpty(Color c) const { return handTotal_[c] == 0; }
    Color sideToMove() const { return side_; }
    std::uint64_t key() const { return key_; }
    int royalCount(Color c) const { return royals_[c]; }
    // Where the side's king and prince stand, 0 for one it does not have. (A position set up
    // with two kings of one side shows one of them.)
    Square kingSquare(Color c) const { return king_[c]; }
    Square princeSquare(Color c) const { return prince_[c]; }
    bool pawnOnFile(Color c, int x) const { return pawnFiles_[c][x] > 0; }
    // Material and piece-square terms, board and hands, from the lower side's view.
    int material() const { return material_; }
    // Plies made since set(); the number of moves unmake() can take back.
    int gamePly() const { return ply_; }
    // The hash key of the position `back` plies ago (0 is now); back <= gamePly().
    std::uint64_t keyBefore(int back) const { return stack_[ply_ - back].key; }
    // Plies since the last null move (or since set()): no repetition reaches across one.
    int pliesFromNull() const { return stack_[ply_].pliesFromNull; }

    // Plays a move of the side to move. The move must come from the generator for this
    // position.
    void make(Mv m);
    // Takes back the last move made. When it returns the position is exactly as it was before
    // that move: board, hands, royals, pawn files, hash and sums.
    void unmake(Mv m);
    // Passes the turn (for the null-move test of the search).
    void makeNull();
    void unmakeNull();

    // True when a piece of `by` could move onto `s` in one move.
    bool attacked(Square s, Color by) const;
    // True when some royal piece of `c` stands attacked.
    bool royalAttacked(Color c) const;
    // True when `c` has exactly one royal piece and it stands attacked: the one check that
    // threatens to end the game.
    bool lastRoyalAttacked(Color c) const;

    // Recomputes every derived field from the board and the hands and compares: true when the
    // position is consistent (the debug builds assert it after every make and unmake).
    bool isOk() const;

    // The hash computed from scratch.
    std::uint64_t computeKey() const;

    static constexpr int kStackSize = 512;

private:
    struct State {
        std::uint64_t key;
        int material;
        int pliesFromNull;
    };

    void put(Square s, Piece p);
    void remove(Square s);
    void findRoyals(Color c);
    void addToHand(Color c, int kind);
    void takeFromHand(Color c, int kind);

    Piece board_[SQUARE_NB];
    SquareSet pieces_[2];
    std::uint8_t hand_[2][kHandKinds];
    int handTotal_[2];
    Color side_ = LOWER;
    std::uint64_t key_ = 0;
    int material_ = 0;
    int royals_[2];
    Square king_[2], prince_[2];
    std::uint8_t pawnFiles_[2][10];
    int ply_ = 0;
    State stack_[kStackSize];
};

} // namespace kelvore::engine
