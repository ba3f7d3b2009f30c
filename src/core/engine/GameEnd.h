// The rules' ends of a game, on the engine's position: a side loses when it has no royal piece
// left, and when its last one is mated, every move it has leaving that piece to be taken. The
// search, the gauntlet's referee and the tuner all judge the end of a game here.
#pragma once

#include "engine/Position.h"

namespace kelvore::engine {

// True when `m` takes the last royal piece the other side has: the game ends with it.
inline bool takesLastRoyal(const Position& pos, Mv m) {
    const Piece c = m.captured();
    return c != NO_PIECE && isRoyal(kindOf(c)) && pos.royalCount(colorOf(c)) == 1;
}

// True when a side has no royal piece left: the game ended with the move before.
inline bool royalTaken(const Position& pos) {
    return pos.royalCount(LOWER) == 0 || pos.royalCount(UPPER) == 0;
}

// True when the side to move has exactly one royal piece and every one of its moves leaves
// that piece to be taken at once: no reply takes the other side's last royal piece, none
// makes a second royal piece (the elephant promoting), none moves the royal piece or blocks or
// takes the attacker so that it stands safe. A side with no move at all counts as mated too.
// The position is left as it was.
bool isMated(Position& pos);

} // namespace kelvore::engine
