// The skill ladder and the variety of the first moves: the draw among the root moves on
// hand-built positions, the limits each level gets, and games that do not repeat.
#include "engine/Skill.h"
#include "Protocol.h"
#include "engine/Snapshot.h"
#include "fakes/Positions.h"
#include "notation/Sfen.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>

using namespace kelvore;
using namespace kelvore::engine;

namespace {

std::string usiText(const kelvore::Move& m) {
    return notation::formatUsiMove(m);
}

// The limits of a timed search at `level` for the computer's `ownMove`-th move with `seed`,
// held to `depth` afterwards so that the test needs no clock: the draw stays as the timed
// search would make it.
Limits drawnAtDepth(int level, int ownMove, std::uint64_t seed, int depth) {
    Limits l = withSkill(Limits{}, level, ownMove, seed);
    l.depth = l.depth > 0 ? std::min(l.depth, depth) : depth;
    return l;
}

// The lower side's rook takes the gold on 5e (the best move) or the silver on 1h (the second
// best); nothing else wins material, and nothing takes the rook back.
const char* const kTwoCaptures = "4k4/9/9/9/4g4/9/9/4R3s/4K4 b - 1";

} // namespace

TEST(SkillDraw, FullStrengthKeepsWithinItsMarginAndALowLevelSometimesTakesTheSecondBest) {
    const GameSnapshot root = test::snapshotOfSfen(kTwoCaptures);
    Searcher searcher(4);
    Limits plain;
    plain.depth = 3;
    const Result best = searcher.search(root, {}, plain);
    ASSERT_TRUE(best.found);
    ASSERT_EQ(usiText(best.best), "5h5e");
    // What the lowest level sees at its own depth.
    Limits shallow;
    shallow.depth = skillRung(0).depth;
    const Result bestShallow = searcher.search(root, {}, shallow);

    // Full strength, with the variety of a first move: only moves within its margin, here
    // the gold alone (the silver is worth less than the margin's worth).
    std::map<std::string, int> full, low;
    for (std::uint64_t seed = 1; seed <= 24; ++seed) {
        const Result r = searcher.search(root, {}, drawnAtDepth(kSkillMax, 1, seed, 3));
        ASSERT_TRUE(r.found);
        EXPECT_GE(r.score, best.score - kVarietyMarginCp) << usiText(r.best);
        ++full[usiText(r.best)];
        const Result weak = searcher.search(root, {}, drawnAtDepth(0, 20, seed, 3));
        EXPECT_GE(weak.score, bestShallow.score - skillRung(0).marginCp) << usiText(weak.best);
        ++low[usiText(weak.best)];
        // The same seed draws the same move.
        EXPECT_EQ(usiText(searcher.search(root, {}, drawnAtDepth(0, 20, seed, 3)).best),
                  usiText(weak.best));
    }
    EXPECT_EQ(full.size(), 1u);
    EXPECT_EQ(full.begin()->first, "5h5e");
    EXPECT_GT(low["5h5e"], low["5h1h"]) << "the best move is drawn most often";
    EXPECT_GT(low["5h1h"], 0) << "and the second best sometimes";
}

TEST(SkillDraw, TheWeightsFallWithTheLossAndTheSeedAloneDecides) {
    const int scores[] = {100, 90, 40, -20};
    const RootChoice wide{200, 60, 4, 7};
    std::map<int, int> drawn;
    for (std::uint64_t key = 1; key <= 4000; ++key) ++drawn[drawCandidate(scores, 4, wide, key)];
    EXPECT_GT(drawn[0], drawn[1]);
    EXPECT_GT(drawn[1], drawn[2]);
    EXPECT_GT(drawn[2], drawn[3]);
    EXPECT_GT(drawn[3], 0);
    // About exp(-10/60) : 1 between the second and the best.
    EXPECT_NEAR(double(drawn[1]) / drawn[0], 0.846, 0.08);
    EXPECT_EQ(drawCandidate(scores, 1, wide, 5), 0);
    EXPECT_EQ(drawCandidate(scores, 4, wide, 99), drawCandidate(scores, 4, wide, 99));
}

TEST(SkillLimits, DepthAndNodeLimitedSearchesNeverVaryAndTheLadderClimbs) {
    Limits depth, nodes, timed;
    depth.depth = 6;
    nodes.nodes = 20000;
    timed.moveTimeMs = 100;
    // Full strength: a fixed amount of search is the search as it was, every move.
    for (const Limits& l : {depth, nodes}) {
        const Limits s = withSkill(l, kSkillMax, 1, 12345);
        EXPECT_FALSE(s.choice.active());
        EXPECT_EQ(s.depth, l.depth);
        EXPECT_EQ(s.nodes, l.nodes);
    }
    // A timed search varies its first moves with the game's seed, and then no more.
    const Limits first = withSkill(timed, kSkillMax, kVarietyMoves, 12345);
    EXPECT_TRUE(first.choice.active());
    EXPECT_EQ(first.choice.seed, 12345u);
    EXPECT_EQ(first.choice.marginCp, kVarietyMarginCp);
    EXPECT_FALSE(withSkill(timed, kSkillMax, kVarietyMoves + 1, 12345).choice.active());
    // A weaker level draws with the position alone when the amount is fixed, with the
    // game's seed when timed, and always within its depth.
    const Limits weakFixed = withSkill(nodes, 5, 30, 12345);
    EXPECT_TRUE(weakFixed.choice.active());
    EXPECT_EQ(weakFixed.choice.seed, 0u);
    EXPECT_EQ(weakFixed.depth, skillRung(5).depth);
    EXPECT_EQ(withSkill(timed, 5, 30, 12345).choice.seed, 12345u);
    EXPECT_EQ(withSkill(depth, 0, 30, 1).depth, 1);
    for (int level = 1; level < kSkillMax; ++level) {
        EXPECT_GE(skillRung(level).depth, skillRung(level - 1).depth) << level;
        EXPECT_LE(skillRung(level).spreadCp, skillRung(level - 1).spreadCp) << level;
        EXPECT_LE(skillRung(level).marginCp, skillRung(level - 1).marginCp) << level;
    }
    EXPECT_EQ(strengthName(0), "15級");
    EXPECT_EQ(strengthName(14), "1級");
    EXPECT_EQ(strengthName(15), "初段");
    EXPECT_EQ(strengthName(20), "六段");
}

// Two games in a row, the person playing the same moves (here a fixed search's): the
// computer's first moves differ within the first ten plies, at every level, while the same
// game seed repeats the game exactly.
TEST(SkillVariety, TwoGamesAgainstTheSameMovesDifferWithinTenPlies) {
    auto game = [](int level, std::uint64_t seed) {
        usi::Protocol p;
        Searcher computer(4), person(4);
        std::string moves;
        Limits personLimits;
        personLimits.depth = 2;
        for (int ply = 0; ply < 10; ++ply) {
            std::ostringstream ignored;
            p.handle("position startpos" + (moves.empty() ? "" : " moves" + moves), ignored);
            const GameSnapshot now = snapshotOf(p.form(), p.sideToMove());
            const Result r =
                ply % 2 == 0
                    ? computer.search(now, p.history(), drawnAtDepth(level, ply / 2 + 1, seed, 4))
                    : person.search(now, p.history(), personLimits);
            EXPECT_TRUE(r.found);
            moves += " " + usiText(r.best);
        }
        return moves;
    };
    for (int level : {0, 10, kSkillMax}) {
        const std::string a = game(level, 0x1234), b = game(level, 0x5678);
        EXPECT_NE(a, b) << "level " << level;
        EXPECT_EQ(game(level, 0x1234), a) << "level " << level;
    }
}

TEST(SkillOption, TheEngineFrontChecksSkillLevelAndALowLevelSearchesOnePly) {
    usi::Protocol p;
    for (const char* bad : {"21", "-1", "x", "100"}) {
        std::ostringstream said;
        p.handle(std::string("setoption name SkillLevel value ") + bad, said);
        EXPECT_EQ(said.str(), "info string SkillLevel must be a number from 0 to 20\n") << bad;
    }
    // SkillLevel 0 searches one ply deep, whatever depth it is given.
    std::ostringstream said;
    p.handle("setoption name SkillLevel value 0", said);
    p.handle("setoption name Level value 4", said);
    p.handle("position startpos", said);
    p.handle("go depth 6", said);
    EXPECT_EQ(said.str().find("info depth 2 "), std::string::npos) << said.str();
    EXPECT_NE(said.str().find("info depth 1 "), std::string::npos) << said.str();
    EXPECT_NE(said.str().find("bestmove "), std::string::npos) << said.str();
}
