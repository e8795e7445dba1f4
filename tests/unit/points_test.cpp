// Points by attempt: what a step earns, and which score bar it lengthens,
// by the attempt on which its right item was found.

#include "drill/points.h"

#include <gtest/gtest.h>

TEST(PointsByAttempt, FiveThreeTwoOneThenNothingEachOnItsOwnBar)
{
    struct Row {
        int attempt;
        int points;
        int bar;
    };
    const Row rows[] = {
        {1, 5, 0}, {2, 3, 1}, {3, 2, 2}, {4, 1, 3}, {5, 0, 4}, {6, 0, 4}, {40, 0, 4},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("attempt " + std::to_string(row.attempt));
        EXPECT_TRUE(drill::attemptScores(row.attempt));
        EXPECT_EQ(drill::pointsForAttempt(row.attempt), row.points);
        EXPECT_EQ(drill::scoreBarForAttempt(row.attempt), row.bar);
    }
}

TEST(PointsByAttempt, AStepScoredAlreadyEarnsNothing)
{
    // Attempt 0: the scoring button, run by itself, has scored the step.
    EXPECT_FALSE(drill::attemptScores(0));
    EXPECT_EQ(drill::pointsForAttempt(0), 0);
    EXPECT_FALSE(drill::attemptScores(-1));
    EXPECT_EQ(drill::pointsForAttempt(-1), 0);
}
