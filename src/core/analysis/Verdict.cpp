#include "analysis/Verdict.h"
#include "platform/Translate.h"

#include "engine/WinningChance.h"

#include <algorithm>

namespace kelvore::analysis {

int units(Score s) {
    if (s.mate) return s.value > 0 ? kMateUnits - s.value : -kMateUnits - s.value;
    return s.value;
}

int graphValue(Score s) {
    if (s.mate) return s.value > 0 ? kGraphClip : -kGraphClip;
    return std::clamp(s.value, -kGraphClip, kGraphClip);
}

double winningPercent(Score s) {
    if (s.mate) return s.value > 0 ? 100.0 : 0.0;
    return 100.0 * engine::winningChance(s.value);
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
