#include "platform/core/DisplayScale.h"
#include "CaseName.h"

#include <gtest/gtest.h>

using namespace penrica;

namespace {

// The main window's client area in logical pixels: 982 × 704 less the frame and the title bar.
constexpr ScreenPixels kMainClient{976, 676};

struct ScaleCase {
    const char* name;
    double systemScale;
    ScreenPixels workArea;
    ScreenPixels frame;
    double chosen;
};

class DisplayScale : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(DisplayScale, TakesTheSystemsScaleOrTheLargestStepThatFits) {
    const ScaleCase& c = GetParam();
    EXPECT_DOUBLE_EQ(FittingScale({c.systemScale, c.workArea, c.frame}, kMainClient), c.chosen);
}

// Work areas with a taskbar of 40 screen pixels at 100 %, 48 at 150 %; frames of 3 pixels and a
// title bar of 22 at 100 %, grown with the system's scale.
INSTANTIATE_TEST_SUITE_P(
    Cases, DisplayScale,
    ::testing::Values(
        ScaleCase{"100 percent on 1366x768 fits", 1.0, {1366, 728}, {6, 28}, 1.0},
        ScaleCase{"125 percent on 1366x768 gives 100", 1.25, {1366, 728}, {8, 35}, 1.0},
        ScaleCase{"125 percent on 1600x900 gives 100", 1.25, {1600, 860}, {8, 35}, 1.0},
        ScaleCase{"150 percent on 1920x1080 gives 125", 1.5, {1920, 1032}, {9, 42}, 1.25},
        ScaleCase{"the frame decides 150 percent", 1.5, {1920, 1055}, {9, 42}, 1.25},
        ScaleCase{"150 percent on 1920x1200 stays", 1.5, {1920, 1152}, {9, 42}, 1.5},
        ScaleCase{"200 percent on 4K stays", 2.0, {3840, 2080}, {12, 56}, 2.0},
        ScaleCase{"200 percent on 1920x1080 steps down to 125", 2.0, {1920, 1032}, {12, 56}, 1.25},
        ScaleCase{"175 percent that fits stays", 1.75, {2560, 1392}, {11, 49}, 1.75},
        ScaleCase{
            "a scale between steps goes to the step below", 1.6, {1920, 1032}, {10, 45}, 1.25},
        ScaleCase{"a taskbar at the side narrows the width", 1.25, {1218, 1024}, {8, 35}, 1.0},
        ScaleCase{"exactly filling the work area fits", 1.25, {1228, 880}, {8, 35}, 1.25},
        ScaleCase{"nothing fits gives 100", 1.5, {800, 560}, {9, 42}, 1.0},
        ScaleCase{"below 100 stays", 0.75, {800, 560}, {5, 21}, 0.75},
        ScaleCase{"no scale known gives 100", 0.0, {1920, 1032}, {6, 28}, 1.0}),
    CaseName<ScaleCase>);

} // namespace
