// The `go` command of the searching levels: the limits it is given, and the progress lines.
#pragma once

#include "engine/Searcher.h"

#include <string>
#include <vector>

namespace kelvore::usi {

// The limits written after `go`:
//   btime <ms> wtime <ms> [byoyomi <ms>] [binc <ms> winc <ms>]   the clocks of a timed game
//   movetime <ms> | depth <n> | nodes <n>                         a fixed amount of search
//   infinite                                                      until `stop`
//   ponder                                                        until `stop` or `ponderhit`
// `anyLimit` is false for a bare `go`, which searches for the level's own time. A word that
// cannot be read is skipped, with its value, and named in `ignored`. `limits.infinite` is set
// by both `infinite` and `ponder`.
struct GoLimits {
    engine::Limits limits;
    bool anyLimit = false;
    bool infinite = false; // the word `infinite`
    bool ponder = false;   // the word `ponder`
    bool zero = false;     // `movetime 0` or `nodes 0`: nothing may be spent
    std::string ignored;
};
GoLimits parseGo(const std::vector<std::string>& words);

// The limits a search is given for `go`, with `sideToMove` (-1 lower, +1 upper) to move and
// `levelOwn` the level's own time. Every `go` but `infinite` and an unanswered `ponder` ends by
// itself:
//   - a limit of zero (`movetime 0`, `nodes 0`, or the mover's clock at 0 with neither byoyomi
//     nor an increment) gives the smallest search, one ply deep, which answers at once;
//   - a mover without a clock of its own plays on its byoyomi or increment where it has one
//     (as with 0 left on its clock), and otherwise for the level's own time, as does a `go`
//     that names no finite limit at all;
//   - `ponder` keeps `infinite` set; its other limits apply from the `ponderhit`.
engine::Limits searchLimits(const GoLimits& go, int sideToMove, const engine::Limits& levelOwn);

// "info depth … seldepth … score cp …|mate … nodes … nps … time … pv …", with its newline;
// `numbered` (MultiPV above 1) puts "multipv <k>" before the depth, as USI GUIs expect.
std::string infoLine(const engine::Info& info, bool numbered = false);

} // namespace kelvore::usi
