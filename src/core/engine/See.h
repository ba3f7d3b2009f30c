// Static exchange evaluation: what a move wins or loses on its target square when both sides
// keep taking there, each with its least valuable piece and each free to stop, without a search.
// A piece behind an attacker on the same line (a rook behind a rook, a lance behind a rook)
// joins in once the one in front has gone.
#pragma once

#include "engine/Position.h"

namespace kelvore::engine {

// What taking a piece of this kind wins: its worth on the board and, for the kinds that go to
// the captor's hand, its worth there. Royal pieces count as more than any exchange.
int seeValue(int kind);

// The material the move wins (negative: loses) once the exchange on its target ends, counted
// by seeValue; a promotion adds what the piece gains by it. A drop, or a move onto an empty
// square, wins nothing and may lose the piece.
int see(const Position& pos, Mv m);

// see(pos, m) >= threshold, stopping as soon as the answer is known.
bool seeAtLeast(const Position& pos, Mv m, int threshold);

} // namespace kelvore::engine
