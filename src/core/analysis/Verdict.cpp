#include "analysis/Verdict.h"
#include "platform/Translate.h"

#include <algorithm>
#include <cmath>

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
        // As the hint says it: the plies until a last royal piece is taken.
        if (s.value > 0)
            return args(translate("Analysis", "勝ちまで %1手"), {std::to_string(s.value)});
        if (s.value >= -2) return translate("Analysis", "詰み");
        return args(translate("Analysis", "負けまで %1手"), {std::to_string(-s.value)});
    }
    if (s.value > 0) return "+" + std::to_string(s.value);
    return std::to_string(s.value);
}

std::string usiScoreText(Score s) {
    return (s.mate ? "mate " : "cp ") + std::to_string(s.value);
}

} // namespace kelvore::analysis
