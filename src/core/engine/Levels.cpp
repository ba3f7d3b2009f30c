#include "engine/Levels.h"

#include <algorithm>

namespace kelvore::engine {

Limits levelLimits(int level, int baseMoveTimeMs) {
    const int base = std::clamp(baseMoveTimeMs, 1, 3600 * 1000);
    Limits limits;
    limits.moveTimeMs = level == 5 ? base * 5 : base;
    return limits;
}

} // namespace kelvore::engine
