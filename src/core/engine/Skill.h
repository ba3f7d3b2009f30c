// How strong the searching levels play, and how they vary their first moves. SkillLevel 20 is
// full strength; each level below searches less deep and draws its move among more of its best
// root moves with a wider spread, so that a weak level loses by plausible mistakes (a tactic
// not seen, a slightly worse plan) rather than absurd ones; level 0 plays about as LEVEL3 does.
// Against a person the first moves of a game are drawn among the moves within a small margin
// of the best, at every level, with a seed of the game's own, so that the same moves are not
// answered the same way twice. A search limited by depth or nodes (the signatures, the
// gauntlet, the tests) never varies: its draws depend only on the position.
#pragma once

#include "engine/Searcher.h"

#include <cstdint>
#include <string>

namespace kelvore::engine {

inline constexpr int kSkillMin = 0;
inline constexpr int kSkillMax = 20;

// The computer's first moves of a game (its own, not both sides') that are drawn with variety,
// and how: among the moves within the margin of the best, the best weighing most.
inline constexpr int kVarietyMoves = 8;
inline constexpr int kVarietyMarginCp = 30;
inline constexpr int kVarietySpreadCp = 20;
inline constexpr int kVarietyCandidates = 4;

// One rung of the ladder below full strength: the deepest iteration, and the draw.
struct SkillRung {
    int depth;
    int marginCp;
    int spreadCp;
    int candidates;
};
// The rung of `level` (0 to kSkillMax - 1).
const SkillRung& skillRung(int level);

// The limits of a search at SkillLevel `level` (clamped to 0..20) for the computer's
// `ownMove`-th move of the game (1 for its first): below full strength the depth is capped and
// the move drawn; a search not limited by depth or nodes (a timed one, against a person) draws
// among its first kVarietyMoves moves with `gameSeed` as well, and at the weaker levels draws
// with `gameSeed` throughout. A search limited by depth or nodes draws with the position alone.
Limits withSkill(Limits limits, int level, int ownMove, std::uint64_t gameSeed);

// The candidate drawn by `choice` among `count` scores (count >= 1, the best first, none above
// it and none more than the margin below it), with `key` the position's: its index.
int drawCandidate(const int* scores, int count, const RootChoice& choice, std::uint64_t key);

// A seed for a new game, never 0.
std::uint64_t newGameSeed();

// The strength of a level as players name it: "15級" (level 0) … "1級" (14), "初段" (15) …
// "六段" (20).
std::string strengthName(int level);

} // namespace kelvore::engine
