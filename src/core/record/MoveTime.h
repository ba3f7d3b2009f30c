// Thinking time in whole seconds, one rule for everything that shows or keeps it: the clocks
// beside the board, the record files, the move list and KIF. A side's total is shown and written
// as its whole seconds, the fraction dropped; a move took the difference between its mover's
// totals after and before it, each so counted. So a game's move times add up to the clock, and
// a move reads the same in the list, in the record and in KIF.
#pragma once

#include <algorithm>
#include <cmath>

namespace kelvore {

// A thinking-time total in whole seconds: its integer part; 0 for a total below 0 (or none).
inline long long wholeSeconds(double total) {
    if (!(total > 0)) return 0;
    return static_cast<long long>(std::floor(std::min(total, 1e15)));
}

// The whole seconds a move took, from its mover's totals before and after it.
inline long long moveSeconds(double before, double after) {
    return std::max(0LL, wholeSeconds(after) - wholeSeconds(before));
}

} // namespace kelvore
