// The chance of winning that an evaluation stands for: the logistic curve the tuner fits the
// evaluation's weights to, 1 / (1 + 10^(-k × centipawns / 400)). The tuner fits k afresh on
// each set of games (scripts/tune prints it as "scale k"); kWinningScale is the curve the rest
// of the program reads scores on, the analysis's losses among them.
#pragma once

#include <cmath>

namespace kelvore::engine {

// The scale k of the curve: about 73 % at +600 centipawns (a bishop and a little more, where a
// position is usually called clearly better), 50 % at 0.
inline constexpr double kWinningScale = 0.29;

// The chance (0..1) that the side whose score this is wins, on the curve with scale `k`.
inline double winningChance(double centipawns, double k = kWinningScale) {
    return 1.0 / (1.0 + std::pow(10.0, -k * centipawns / 400.0));
}

} // namespace kelvore::engine
