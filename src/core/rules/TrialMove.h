// The moves the game accepts in a position, and a silent way to try them: the board and hands
// change exactly as move execution changes them, but nothing is drawn.
#pragma once

#include "Form1.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <optional>

namespace kelvore {

// A move in the game's coordinates. Its six fields are its identity: two moves are the same
// move when all six agree. A drop always comes from the one origin of its side and kind (see
// drop()), so two drops of the same piece by the same side onto the same square are the same
// move, and a board move that promotes differs from the one that does not. What the move
// captures is the position's business, not the move's.
struct Move {
    int fromX = 0, fromY = 0; // a drop: (11, slot + 2) for the lower side, (-1, slot) upper
    int toX = 0, toY = 0;
    int moved = 0;  // the code of the piece before the move
    int placed = 0; // the code that stands on the target afterwards

    // A drop by `side` (-1 lower, +1 upper) of a piece of `kind` (HU ... SYA) from its hand onto
    // (toX, toY). The origin is the side's hand column and the row of the kind's hand slot:
    // (11, slot + 2) for the lower side, (-1, slot) for the upper side.
    static constexpr Move drop(int side, int kind, int toX, int toY) {
        const int slot = piece::handSlot(kind);
        const int code = side < 0 ? -kind : kind;
        return {side < 0 ? 11 : -1, side < 0 ? slot + 2 : slot, toX, toY, code, code};
    }
    // A board move of the piece `moved` that promotes on arrival.
    static constexpr Move promotion(int fromX, int fromY, int toX, int toY, int moved) {
        return {fromX, fromY, toX, toY, moved, piece::promotedCode(moved)};
    }

    constexpr bool isDrop() const { return fromX == 11 || fromX == -1; }
    constexpr bool promotes() const { return placed != moved; }
    constexpr bool operator==(const Move&) const = default;
};

// A fixed-capacity list: the hot paths never allocate.
struct MoveList {
    static constexpr std::size_t kCapacity = 1024;
    std::array<Move, kCapacity> moves;
    std::size_t size = 0;
    void push(const Move& m) {
        if (size < kCapacity) moves[size++] = m;
    }
    const Move* begin() const { return moves.data(); }
    const Move* end() const { return moves.data() + size; }
};

// Every move of the side whose pieces have the given sign (-1 lower, +1 upper) that the game
// accepts: board moves 移動チェック allows, in the promoted form where 調査_駒成 allows it and
// also unpromoted where 移動後チェック lets the piece stay so; and every drop from that side's
// hand that 移動チェック allows. The pawn-file flags must be current.
void generateMoves(Form1& f, int sign, MoveList& out);

// The move as the game accepts it from the side with `sign` in the position on the board (the
// pawn-file flags are brought up to date first), or nothing when the game would refuse it: the
// move is accepted exactly when generateMoves lists it, but judged alone, without the list.
std::optional<Move> acceptedMove(Form1& f, int sign, const Move& move);

// What a silent move needs to be taken back.
struct Undo {
    Move move;
    int captured = 0;
    Pos manKing;
};

// Plays a move on the board and hands without drawing, as 駒移動 does.
Undo makeMove(Form1& f, const Move& m);
void unmakeMove(Form1& f, const Undo& u);

// True when the side (-1 lower, +1 upper) has neither king nor prince on the board.
bool hasLostAllRoyals(const Form1& f, int sign);

// The number of move sequences of the given length from the position, the side with `sign` to
// move first; a line ends where a side has lost its last royal piece.
std::uint64_t perft(Form1& f, int sign, int depth);

// The same count, ended early when `requested` turns true: then `stopped` is set and the count
// is that of the lines counted so far. The position is left as it was either way.
struct PerftStop {
    const std::atomic<bool>& requested;
    bool stopped = false;
};
std::uint64_t perft(Form1& f, int sign, int depth, PerftStop& stop);

} // namespace kelvore
