// The game's position as the search takes it: a copy of Form1's board, hands and side to move,
// taken on the game's thread before a search starts.
#pragma once

#include "Form1.h"
#include "engine/Searcher.h"

namespace kelvore::engine {

// `sideToMove` is -1 for the lower side, +1 for the upper side.
GameSnapshot snapshotOf(const Form1& f, int sideToMove);

// True when board, hands and side to move are the same.
bool samePosition(const GameSnapshot& a, const GameSnapshot& b);

} // namespace kelvore::engine
