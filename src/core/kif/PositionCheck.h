// Whether a set of pieces is a position this game can be played from: what a board diagram or
// a pasted SFEN must pass before the game takes it.
#pragma once

#include "engine/Searcher.h"

#include <string>

namespace kelvore::kif {

// Why the position cannot stand, in Japanese; empty when it can. The lower side is named 先手
// and the upper side 後手, as records name them. A position stands when every square holds a
// real piece; no side has more than one king, or more than one elephant and prince together;
// each side still has a king or a prince; no kind has more pieces on the board and in the hands
// than the game has; no pawn, lance or knight stands where it could never move again; and no
// side has two unpromoted pawns on one file. Whose turn it is and whether a royal piece is
// attacked do not matter: a move may leave the mover's own king attacked.
std::string positionError(const engine::GameSnapshot& position);

// True when a piece of this code could never move again from row y: a pawn or lance on the
// far row, a knight on the far two.
bool stranded(int code, int y);

} // namespace kelvore::kif
