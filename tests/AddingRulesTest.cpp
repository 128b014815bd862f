// The size a picture too wide is scaled to: both limits, proportions, cut toward zero.

#include "images/core/AddingRules.h"

#include <gtest/gtest.h>

namespace {

using penrica::PictureSize;

TEST(ScaledToAdd, FitsBothLimitsKeepingProportions) {
    struct Case {
        PictureSize size, scaled;
    };
    const Case cases[] = {
        {{4032, 3024}, {3000, 2250}},   // a phone photo
        {{3024, 4032}, {3000, 4000}},   // upright, exactly at the height limit
        {{3001, 2}, {3000, 1}},         // 1.999 is cut, not rounded
        {{100000, 1}, {3000, 1}},       // never below 1 pixel
        {{6000, 10000}, {2400, 4000}},  // 3000 × 5000 is still too high
        {{3001, 100000}, {120, 4000}},  // 120.04
        {{65535, 65535}, {3000, 3000}}, // no overflow
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.size.width) + " x " + std::to_string(c.size.height));
        EXPECT_EQ(penrica::ScaledToAdd(c.size), c.scaled);
    }
}

} // namespace
