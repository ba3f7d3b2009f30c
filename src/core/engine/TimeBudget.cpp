#include "engine/TimeBudget.h"

#include <algorithm>

namespace kelvore::engine {

namespace {

// Kept back from every limit for the answer to reach the other side.
constexpr int kMarginMs = 30;
// The moves a clock is shared out over: a game of about 110 plies, seen from its middle.
constexpr int kMovesToGo = 30;
// A new iteration usually takes longer than everything before it: one started after this share
// of the budget would seldom end in time.
constexpr double kIterationShare = 0.6;

// The time a limit of `ms` may really use.
long long lessMargin(long long ms) {
    return std::max(1LL, ms - std::min<long long>(kMarginMs, ms / 10));
}

} // namespace

TimeBudget timeBudget(const Limits& limits, Color us) {
    TimeBudget b;
    if (limits.infinite) return b;
    long long optimum = 0, maximum = 0, minimum = 0;
    if (limits.moveTimeMs > 0) optimum = maximum = minimum = lessMargin(limits.moveTimeMs);
    const int remaining = us == LOWER ? limits.lowerTimeMs : limits.upperTimeMs;
    if (remaining >= 0) {
        const long long clock = remaining;
        const long long inc = std::max(0, us == LOWER ? limits.lowerIncMs : limits.upperIncMs);
        const long long byoyomi = std::max(0, limits.byoyomiMs);
        long long clockMax = 0, clockOptimum = 0;
        if (clock + inc + byoyomi > 0) {
            // The most a move may take: a quarter of the clock, the increment and the byoyomi,
            // never past the clock itself.
            clockMax = lessMargin(std::min(clock / 4 + inc + byoyomi, clock + byoyomi));
            clockOptimum = std::min(clock / kMovesToGo + inc * 3 / 4 + byoyomi, clockMax);
        }
        const long long clockMin = byoyomi > 0 ? std::min(lessMargin(byoyomi), clockMax) : 0;
        if (maximum > 0) {
            maximum = std::min(maximum, std::max(clockMax, 1LL));
            optimum = std::min(optimum, maximum);
            minimum = std::min(minimum, maximum);
        } else {
            maximum = std::max(clockMax, 1LL);
            optimum = std::max(clockOptimum, 1LL);
            minimum = clockMin;
        }
    }
    if (maximum <= 0) return b;
    b.timed = true;
    b.maximumMs = int(std::min<long long>(maximum, 1LL << 30));
    b.optimumMs = int(std::min<long long>(optimum, b.maximumMs));
    b.minimumMs = int(std::min<long long>(minimum, b.maximumMs));
    return b;
}

double timeScale(double bestMoveChanges, int scoreDrop, int stableIterations) {
    const double instability = std::min(2.2, 1.0 + 0.6 * std::max(0.0, bestMoveChanges));
    const double fall = std::clamp(1.0 + scoreDrop / 150.0, 0.85, 1.6);
    const double stability = stableIterations >= 6 ? 0.6 : stableIterations >= 3 ? 0.8 : 1.0;
    return std::clamp(instability * fall * stability, 0.4, 2.5);
}

bool startNextIteration(const TimeBudget& b, int elapsedMs, double scale) {
    if (!b.timed) return true;
    if (elapsedMs >= b.maximumMs) return false;
    if (elapsedMs < b.minimumMs) return true;
    const double target = std::min(double(b.maximumMs), b.optimumMs * scale);
    return elapsedMs < kIterationShare * target;
}

} // namespace kelvore::engine
