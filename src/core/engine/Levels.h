// How long the levels above 3 think, so that the window and the engine front agree: level 4
// takes the base time a move, level 5 five times as long.
#pragma once

#include "engine/Searcher.h"

namespace kelvore::engine {

// The base time of a move in the window: LEVEL4 about a second, LEVEL5 about five.
inline constexpr int kWindowBaseMoveTimeMs = 1000;

// The limits of a searching level (4 or 5) for a base move time in milliseconds (at least 1).
// Other levels do not search: they get the base time, as level 4.
Limits levelLimits(int level, int baseMoveTimeMs);

} // namespace kelvore::engine
