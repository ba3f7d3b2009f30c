// The clock of the searching levels: the budget of a move for given limits, and the decision
// to start another iteration. Pure functions: no search runs and nothing is timed.
#include "engine/TimeBudget.h"

#include <gtest/gtest.h>

using namespace kelvore;
using engine::LOWER;
using engine::UPPER;

TEST(TimeBudget, AFixedMoveTimeIsSpentWhole) {
    engine::Limits limits;
    EXPECT_FALSE(engine::timeBudget(limits, LOWER).timed) << "no limit: until stop";
    limits.depth = 8;
    EXPECT_FALSE(engine::timeBudget(limits, LOWER).timed);

    limits = {};
    limits.moveTimeMs = 1000;
    const engine::TimeBudget b = engine::timeBudget(limits, UPPER);
    ASSERT_TRUE(b.timed);
    EXPECT_EQ(b.maximumMs, 970) << "a margin for the answer to travel";
    EXPECT_EQ(b.minimumMs, b.maximumMs) << "time not used is lost";
    // Iterations go on whatever they show, until the search is stopped at the maximum.
    EXPECT_TRUE(engine::startNextIteration(b, 700, engine::timeScale(0, 0, 10)));
    EXPECT_TRUE(engine::startNextIteration(b, 969, 0.4));
    EXPECT_FALSE(engine::startNextIteration(b, 970, 2.5));

    limits.moveTimeMs = 100;
    EXPECT_EQ(engine::timeBudget(limits, UPPER).maximumMs, 90) << "a tenth at most";
    limits.moveTimeMs = 1;
    EXPECT_EQ(engine::timeBudget(limits, UPPER).maximumMs, 1);
    limits.infinite = true;
    EXPECT_FALSE(engine::timeBudget(limits, UPPER).timed) << "infinite wins over movetime";

    // Byoyomi with an empty clock is a fixed time too.
    limits = {};
    limits.lowerTimeMs = limits.upperTimeMs = 0;
    limits.byoyomiMs = 5000;
    const engine::TimeBudget byoyomi = engine::timeBudget(limits, LOWER);
    EXPECT_EQ(byoyomi.maximumMs, 4970);
    EXPECT_EQ(byoyomi.minimumMs, 4970);
}

TEST(TimeBudget, AClockIsSharedOutOverTheGame) {
    // The clock of the side to move counts, not the other's.
    engine::Limits limits;
    limits.lowerTimeMs = 60000;
    limits.upperTimeMs = 600;
    const engine::TimeBudget lower = engine::timeBudget(limits, LOWER);
    const engine::TimeBudget upper = engine::timeBudget(limits, UPPER);
    EXPECT_EQ(lower.optimumMs, 2000) << "a thirtieth of the clock";
    EXPECT_EQ(lower.maximumMs, 14970) << "a quarter, less the margin";
    EXPECT_EQ(lower.minimumMs, 0) << "nothing is lost by saving time";
    EXPECT_EQ(upper.optimumMs, 20);
    EXPECT_EQ(upper.maximumMs, 135);

    // The increment and the byoyomi add to the budget; neither lets it pass the clock's end.
    limits = {};
    limits.upperTimeMs = 10000;
    limits.upperIncMs = 2000;
    const engine::TimeBudget inc = engine::timeBudget(limits, UPPER);
    EXPECT_EQ(inc.optimumMs, 10000 / 30 + 1500);
    EXPECT_EQ(inc.maximumMs, 4470);
    limits.upperTimeMs = 300;
    EXPECT_LE(engine::timeBudget(limits, UPPER).maximumMs, 300);
    limits = {};
    limits.lowerTimeMs = 30000;
    limits.byoyomiMs = 1000;
    const engine::TimeBudget both = engine::timeBudget(limits, LOWER);
    EXPECT_EQ(both.optimumMs, 2000);
    EXPECT_EQ(both.minimumMs, 970) << "the byoyomi is spent whole";
    EXPECT_EQ(both.maximumMs, 8470);

    // A movetime below what the clock allows is kept.
    limits = {};
    limits.upperTimeMs = 10000;
    limits.moveTimeMs = 50;
    EXPECT_EQ(engine::timeBudget(limits, UPPER).maximumMs, 45);
}

TEST(TimeBudget, TheIterationsStretchOrShrinkTheMove) {
    engine::Limits limits;
    limits.lowerTimeMs = 60000; // optimum 2000 ms, maximum 14 970 ms
    const engine::TimeBudget b = engine::timeBudget(limits, LOWER);

    // Nothing special: a new iteration starts below 60 % of the optimum.
    const double calm = engine::timeScale(0, 0, 1);
    EXPECT_DOUBLE_EQ(calm, 1.0);
    EXPECT_TRUE(engine::startNextIteration(b, 1190, calm));
    EXPECT_FALSE(engine::startNextIteration(b, 1210, calm));

    // The best move changed in the last iteration, or the score fell: more time.
    const double changed = engine::timeScale(1, 0, 0);
    const double fell = engine::timeScale(0, 60, 1);
    EXPECT_GT(changed, 1.5);
    EXPECT_GT(fell, 1.3);
    EXPECT_TRUE(engine::startNextIteration(b, 1800, changed));
    EXPECT_TRUE(engine::startNextIteration(b, 1500, fell));
    EXPECT_GT(engine::timeScale(1.5, 0, 0), changed) << "changes in a row weigh more";
    EXPECT_GT(engine::timeScale(1, 80, 0), changed);

    // One move has stood for many iterations: less time.
    const double settled = engine::timeScale(0, 0, 8);
    EXPECT_LT(settled, 0.7);
    EXPECT_FALSE(engine::startNextIteration(b, 800, settled));
    EXPECT_LT(engine::timeScale(0, -100, 1), 1.0) << "a rising score needs less";

    // However unsettled, never a new iteration past the maximum.
    EXPECT_EQ(engine::timeScale(9, 900, 0), 2.5);
    EXPECT_FALSE(engine::startNextIteration(b, 14970, 2.5));
}
