// The gauntlet's opening set: short random games from the starting position, kept only where
// the engine's own search judges the position balanced, written as SFEN one a line.
#pragma once

#include "engine/Position.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace kelvore::gauntlet {

struct OpeningOptions {
    int count = 300;
    std::uint32_t seed = 1;
    int minPlies = 6, maxPlies = 10; // random plies from the start
    int balanceCp = 120;             // the largest score kept, either way
    std::uint64_t nodes = 200000;    // the search that judges each candidate
};

// Generates the set; `progress` (when given) hears one line per kept opening.
std::vector<std::string> generateOpenings(const OpeningOptions& options,
                                          std::ostream* progress = nullptr);

// The SFEN of an engine position, with the given move number.
std::string sfenOf(const engine::Position& pos, int moveNumber);

} // namespace kelvore::gauntlet
