// How long one move may take, from the limits of a search: a soft limit after which no new
// iteration starts, and a hard one at which the search stops in the middle of one.
#pragma once

#include "engine/Searcher.h"
#include "engine/Types.h"

namespace kelvore::engine {

struct TimeBudget {
    bool timed = false; // false: only depth, nodes or stop() end the search
    int softMs = 0;
    int hardMs = 0;
};

// `us` is the side to move: its clock, increment and the byoyomi count. With a fixed move time
// the search uses almost all of it; with a clock it spends about a thirtieth of what is left
// plus the increment and the byoyomi, never more than a third of the clock plus the byoyomi.
TimeBudget timeBudget(const Limits& limits, Color us);

} // namespace kelvore::engine
