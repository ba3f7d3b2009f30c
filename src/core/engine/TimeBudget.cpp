#include "engine/TimeBudget.h"

#include <algorithm>

namespace kelvore::engine {

namespace {

// Kept back from every limit for the answer to reach the other side.
constexpr int kMarginMs = 30;

} // namespace

TimeBudget timeBudget(const Limits& limits, Color us) {
    TimeBudget b;
    if (limits.infinite) return b;
    long long hard = 0, soft = 0;
    if (limits.moveTimeMs > 0) {
        hard = std::max(1, limits.moveTimeMs - std::min(kMarginMs, limits.moveTimeMs / 10));
        soft = hard / 2;
    }
    const int remaining = us == LOWER ? limits.lowerTimeMs : limits.upperTimeMs;
    if (remaining >= 0) {
        const long long inc = std::max(0, us == LOWER ? limits.lowerIncMs : limits.upperIncMs);
        const long long byoyomi = std::max(0, limits.byoyomiMs);
        const long long target = remaining / 30 + inc * 3 / 4 + byoyomi;
        const long long cap = remaining / 3 + inc / 2 + byoyomi - kMarginMs;
        const long long clockHard = std::max(10LL, std::min(3 * target, cap));
        const long long clockSoft = std::max(5LL, std::min(target * 6 / 10, clockHard));
        hard = hard > 0 ? std::min(hard, clockHard) : clockHard;
        soft = soft > 0 ? std::min(soft, clockSoft) : clockSoft;
    }
    if (hard <= 0) return b;
    b.timed = true;
    b.hardMs = int(std::min<long long>(hard, 1LL << 30));
    b.softMs = int(std::min(soft, hard));
    return b;
}

} // namespace kelvore::engine
