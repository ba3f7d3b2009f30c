// The moves of the side to move, exactly as the game accepts them: every step, slide and jump
// onto an empty square or an enemy piece (a move may leave the mover's own royal piece
// attacked), promoted where the zone allows it and unpromoted where the piece could still move
// afterwards, and every drop onto an empty square except a second unpromoted pawn on a file and
// a pawn, lance or knight where it could never move again. A pawn drop that mates is allowed. A
// side with no royal piece left has lost and has no moves.
#pragma once

#include "engine/Position.h"
#include "rules/TrialMove.h"

#include <cstdint>

namespace kelvore::engine {

enum class GenType {
    All,
    Captures,    // every capture, in every promotion form
    Quiets,      // every move that captures nothing, drops included
    QCaptures,   // captures for the quiescence search: promoted where the mover may promote
    QuietChecks, // the quiet moves (drops included) that attack an enemy royal piece
};

// Appends the moves of the side to move to `list`.
void generate(const Position& pos, MvList& list, GenType type = GenType::All);

// True when `m` is a move the generator would produce in this position (for moves taken from
// the hash table or the killer slots, which may belong to another position).
bool isPseudoLegal(const Position& pos, Mv m);

// True when the move puts a piece where it attacks a royal piece of the other side (a check
// by the moving piece itself; a check uncovered by the move is not seen).
bool givesCheck(const Position& pos, Mv m);

// The number of move sequences of the given length; a line ends (and counts nothing) where a
// side has lost its last royal piece.
std::uint64_t perft(Position& pos, int depth);
// The same count, ended early when `stop.requested` turns true: then `stop.stopped` is set and
// the count is that of the lines counted so far. The position is left as it was either way.
std::uint64_t perft(Position& pos, int depth, PerftStop& stop);

} // namespace kelvore::engine
