#include "view/axis_ticks.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace norvane {
namespace {

TEST(AxisTicks, RoundValuesInsideTheLimits)
{
    EXPECT_EQ(axisTicks(-1024, 1024, 5), (std::vector<double>{-1000, -500, 0, 500, 1000}));
    EXPECT_EQ(axisTicks(120277.234, 122325.234, 5), (std::vector<double>{120500, 121000, 121500, 122000}));
    EXPECT_EQ(axisTicks(0, 50, 5), (std::vector<double>{0, 10, 20, 30, 40, 50}));
    const auto small = axisTicks(0.1, 0.5, 4);
    ASSERT_EQ(small.size(), 5u);
    EXPECT_DOUBLE_EQ(small[0], 0.1);
    EXPECT_DOUBLE_EQ(small[4], 0.5);
}

TEST(AxisTicks, StepIsOneTwoOrFiveTimesAPowerOfTen)
{
    EXPECT_DOUBLE_EQ(tickStep(2048, 5), 500);
    EXPECT_DOUBLE_EQ(tickStep(2048, 10), 500) << "204.8 rounds up to 500, not 200";
    EXPECT_DOUBLE_EQ(tickStep(16, 4), 5);
    EXPECT_DOUBLE_EQ(tickStep(0.007, 7), 0.001);
}

TEST(AxisTicks, DegenerateLimitsGiveOneTick)
{
    EXPECT_EQ(axisTicks(5, 5, 4), (std::vector<double>{5}));
    EXPECT_EQ(axisTicks(5, 4, 4), (std::vector<double>{5}));
}

TEST(AxisTicks, TextCarriesTheDecimalsOfTheStep)
{
    EXPECT_EQ(tickText(120500, 500), "120500");
    EXPECT_EQ(tickText(-2.25, 0.05), "-2.25");
    EXPECT_EQ(tickText(0.30000000000000004, 0.1), "0.3");
    EXPECT_EQ(tickText(-1e-17, 0.1), "0.0") << "no minus sign on zero";
}

TEST(AxisTicks, AutomaticTopRoundsTheHighestBarUp)
{
    EXPECT_DOUBLE_EQ(automaticValueTop(47), 50);
    EXPECT_DOUBLE_EQ(automaticValueTop(50), 50);
    EXPECT_DOUBLE_EQ(automaticValueTop(3), 3);
    EXPECT_GT(automaticValueTop(0), 0) << "all bars at 0 still get a range";
}

// A corrupt position can put an axis anywhere: far from zero a step is lost in rounding, a span
// can overflow, a limit need not be a number. The work stays small and the ticks in order.
TEST(AxisTicks, AnyLimitsGiveFewTicksInOrder)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double minimum, maximum;
        std::size_t most;
    } cases[] = {
        {5e18 - 1024, 5e18 + 1024, 5}, // latitude 5e17 x 10, the initial span
        {5e17, 5e17 + 1, 5},           // a step below the spacing of doubles there
        {-1e300, 1e300, 6},            // span beyond the largest double
        {1e300, 1e300 * 1.5, 6},
        {-inf, inf, 0},
        {0, inf, 0},
        {nan, 1, 0},
        {-1, nan, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.minimum << " .. " << c.maximum);
        const std::vector<double> ticks = axisTicks(c.minimum, c.maximum, 5);
        EXPECT_LE(ticks.size(), c.most);
        EXPECT_TRUE(std::is_sorted(ticks.begin(), ticks.end()));
        EXPECT_TRUE(std::adjacent_find(ticks.begin(), ticks.end()) == ticks.end()) << "no tick twice";
        for (const double tick : ticks)
            EXPECT_TRUE(std::isfinite(tick));
    }
    EXPECT_FALSE(axisTicks(5e18 - 1024, 5e18 + 1024, 5).empty()) << "a far axis still gets its marks";
}

} // namespace
} // namespace norvane
