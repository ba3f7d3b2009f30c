#include "analysis/Verdict.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kelvore::analysis {

namespace {

// Centipawns at which the winning chance is about 73 % (one e-fold of the odds): a bishop and
// a little more, where a shogi position is usually called clearly better.
constexpr double kOddsScale = 600.0;

} // namespace

int units(Score s) {
    if (s.mate) return s.value > 0 ? kMateUnits - s.value : -kMateUnits - s.value;
    return std::clamp(s.value, -kScoreClip, kScoreClip);
}

int graphValue(Score s) {
    if (s.mate) return s.value > 0 ? kGraphClip : -kGraphClip;
    return std::clamp(s.value, -kGraphClip, kGraphClip);
}

double winningPercent(Score s) {
    if (s.mate) return s.value > 0 ? 100.0 : 0.0;
    return 100.0 / (1.0 + std::exp(-s.value / kOddsScale));
}

std::string scoreText(Score s) {
    if (s.mate) {
        // The plies until the position where the royal piece cannot escape; one more takes it.
        const int plies = std::abs(s.value) >= 3 ? std::abs(s.value) - 2 : std::abs(s.value);
        if (s.value > 0) return "+詰" + std::to_string(plies) + "手";
        if (s.value >= -2) return "詰み";
        return "-詰" + std::to_string(plies) + "手";
    }
    if (s.value > 0) return "+" + std::to_string(s.value);
    return std::to_string(s.value);
}

std::string usiScoreText(Score s) {
    return (s.mate ? "mate " : "cp ") + std::to_string(s.value);
}

} // namespace kelvore::analysis
