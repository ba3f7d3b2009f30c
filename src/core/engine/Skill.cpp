#include "engine/Skill.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace kelvore::engine {

namespace {

// The ladder, calibrated by the gauntlet against LEVEL3 (docs/performance.md): the depth
// grows and the spread shrinks as the level climbs.
constexpr SkillRung kLadder[kSkillMax] = {
    {1, 380, 120, 7}, {1, 370, 115, 7}, {1, 360, 110, 7}, {2, 350, 110, 7}, {2, 330, 105, 7},
    {2, 300, 100, 7}, {3, 270, 90, 6},  {3, 240, 80, 6},  {3, 210, 70, 6},  {4, 180, 60, 5},
    {4, 160, 55, 5},  {4, 140, 50, 5},  {5, 120, 45, 4},  {5, 100, 40, 4},  {5, 90, 35, 4},
    {6, 80, 30, 4},   {6, 70, 25, 3},   {7, 60, 20, 3},   {7, 50, 15, 3},   {8, 40, 10, 3},
};

// splitmix64: a well mixed 64-bit number from any other.
std::uint64_t mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

} // namespace

const SkillRung& skillRung(int level) {
    return kLadder[std::clamp(level, kSkillMin, kSkillMax - 1)];
}

Limits withSkill(Limits limits, int level, int ownMove, std::uint64_t gameSeed) {
    const bool fixedAmount = limits.depth > 0 || limits.nodes > 0;
    const std::uint64_t seed = fixedAmount ? 0 : gameSeed;
    RootChoice& c = limits.choice;
    if (level < kSkillMax) {
        const SkillRung& r = skillRung(level);
        limits.depth = limits.depth > 0 ? std::min(limits.depth, r.depth) : r.depth;
        c = {r.marginCp, r.spreadCp, r.candidates, seed};
    }
    if (!fixedAmount && ownMove <= kVarietyMoves) {
        c.marginCp = std::max(c.marginCp, kVarietyMarginCp);
        c.spreadCp = std::max(c.spreadCp, kVarietySpreadCp);
        c.candidates = std::max(c.candidates, kVarietyCandidates);
        c.seed = seed;
    }
    return limits;
}

int drawCandidate(const int* scores, int count, const RootChoice& choice, std::uint64_t key) {
    if (count <= 1) return 0;
    double weights[64];
    count = std::min(count, 64);
    double total = 0;
    for (int i = 0; i < count; ++i) {
        const int loss = std::max(0, scores[0] - scores[i]);
        weights[i] = choice.spreadCp > 0 ? std::exp(-double(loss) / choice.spreadCp) : 1.0;
        total += weights[i];
    }
    // A number in [0, total) from the seed and the position alone.
    double x = double(mix(choice.seed ^ mix(key)) >> 11) * 0x1.0p-53 * total;
    for (int i = 0; i < count; ++i) {
        if (x < weights[i]) return i;
        x -= weights[i];
    }
    return count - 1;
}

std::uint64_t newGameSeed() {
    std::random_device device;
    const std::uint64_t seed = mix((std::uint64_t(device()) << 32) ^ device());
    return seed != 0 ? seed : 1;
}

std::string strengthName(int level) {
    static const char* const kDan[] = {"初段", "二段", "三段", "四段", "五段", "六段"};
    level = std::clamp(level, kSkillMin, kSkillMax);
    if (level < 15) return std::to_string(15 - level) + "級";
    return kDan[level - 15];
}

} // namespace kelvore::engine
