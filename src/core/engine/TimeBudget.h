// How long one move may take. From the limits of a search: the time a move should take, the
// most it may take (the search stops there, in the middle of an iteration if need be), and the
// part of it that is lost when unused (a fixed move time, the byoyomi), which is always spent.
// Between iterations the search asks whether to start another, with the budget stretched when
// the best move keeps changing or the score falls, and shrunk when one move stands out.
// Pure functions of their arguments: the tests give them clocks and read their decisions.
#pragma once

#include "engine/Searcher.h"
#include "engine/Types.h"

namespace kelvore::engine {

struct TimeBudget {
    bool timed = false; // false: only depth, nodes or stop() end the search
    int optimumMs = 0;  // what the move should take when nothing special happens
    int maximumMs = 0;  // the search stops here
    int minimumMs = 0;  // lost when unused: the search goes on at least this long
};

// `us` is the side to move: its clock, increment and the byoyomi count. A fixed move time, or a
// byoyomi with an empty clock, is spent whole, less a margin for the answer to travel. With
// time on the clock a move should take about a thirtieth of it plus most of the increment and
// the byoyomi, and never more than a quarter of it plus the increment and the byoyomi.
TimeBudget timeBudget(const Limits& limits, Color us);

// How much of the optimum the move deserves, from what the iterations so far showed:
// `bestMoveChanges` counts the changes of the best move, the latest iteration's fully and
// each earlier one's half as much as the one after it; `scoreDrop` is how far (centipawns) the
// score fell below the previous iterations' (negative when it rose); `stableIterations` how
// many iterations in a row ended with the same best move.
double timeScale(double bestMoveChanges, int scoreDrop, int stableIterations);

// True when another iteration should start after `elapsedMs`: while the time that is lost
// anyway remains, and while the elapsed time is below 60 % of the scaled optimum (never
// beyond the maximum).
bool startNextIteration(const TimeBudget& budget, int elapsedMs, double scale);

} // namespace kelvore::engine
