// The `go` command of the searching levels: the limits it is given, and the progress lines.
#pragma once

#include "engine/Searcher.h"

#include <string>
#include <vector>

namespace kelvore::usi {

// The limits written after `go`:
//   btime <ms> wtime <ms> [byoyomi <ms>] [binc <ms> winc <ms>]   the clocks of a timed game
//   movetime <ms> | depth <n> | nodes <n>                         a fixed amount of search
//   infinite | ponder                                             until `stop`
// `anyLimit` is false for a bare `go`, which searches for the level's own time. A word that
// cannot be read is skipped, with its value, and named in `ignored`.
struct GoLimits {
    engine::Limits limits;
    bool anyLimit = false;
    std::string ignored;
};
GoLimits parseGo(const std::vector<std::string>& words);

// "info depth … seldepth … score cp …|mate … nodes … nps … time … pv …", with its newline.
std::string infoLine(const engine::Info& info);

} // namespace kelvore::usi
