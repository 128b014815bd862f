// The thumbnail strip's geometry and its scroll step.

#include "images/core/StripRules.h"

#include <gtest/gtest.h>

namespace {

using namespace penrica;

TEST(StripRules, CellsAndScrollEnds) {
    EXPECT_EQ(CellAt(34), 1);
    EXPECT_EQ(CellAt(35), 2);
    EXPECT_EQ(CellAt(0), 1);
    EXPECT_EQ(StripWidth(0), 10);
    EXPECT_EQ(StripWidth(3), 120);

    struct Case {
        ScrollDirection direction;
        int left, width, finalLeft, moves;
    };
    const Case cases[] = {
        {ScrollDirection::Left, 8, 400, -202, 70},
        {ScrollDirection::Right, 8, 400, 203, 65},
        {ScrollDirection::None, 8, 400, 8, 0},
    };
    for (const Case& c : cases) {
        int left = c.left, moves = 0, ticks = 0, tick = 0;
        bool stopped = false;
        while (!stopped) {
            const ScrollPosition next = ScrollStep(c.direction, left, c.width, ticks);
            moves += next.left != left;
            left = next.left;
            ticks = next.ticks;
            stopped = next.stopTimer;
            ++tick;
        }
        EXPECT_EQ(left, c.finalLeft);
        EXPECT_EQ(moves, c.moves);
        EXPECT_EQ(tick, 101);
        EXPECT_EQ(ticks, 0);
    }
}

} // namespace
