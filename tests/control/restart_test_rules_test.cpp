#include "control/restart_test_rules.h"

#include <gtest/gtest.h>

namespace norvane {
namespace {

TEST(RestartTestRules, LeavingAFieldCorrectsItsRange)
{
    EXPECT_EQ(rangeCorrectedText("0"), "1");
    EXPECT_EQ(rangeCorrectedText("-5"), "1");
    EXPECT_EQ(rangeCorrectedText("abc"), "1");
    EXPECT_EQ(rangeCorrectedText(""), "1");
    EXPECT_EQ(rangeCorrectedText("20000"), "10000");
    EXPECT_EQ(rangeCorrectedText("10001"), "10000");
    EXPECT_EQ(rangeCorrectedText("99999999999"), "10000");
    EXPECT_EQ(rangeCorrectedText("10000"), "10000");
    EXPECT_EQ(rangeCorrectedText("1"), "1");
    // Text that is already a valid number in range is left exactly as typed.
    EXPECT_EQ(rangeCorrectedText("+25"), "+25");
}

TEST(RestartTestRules, RunValuesAreKeptWithinOneToTenThousand)
{
    EXPECT_EQ(runValueOfText("0"), 1);
    EXPECT_EQ(runValueOfText("-5"), 1);
    EXPECT_EQ(runValueOfText("abc"), 1);
    EXPECT_EQ(runValueOfText("20000"), 10000);
    EXPECT_EQ(runValueOfText("10000"), 10000);
    EXPECT_EQ(runValueOfText("3"), 3);
}

TEST(RestartTestRules, FinalAverageIsCutToOneDecimal)
{
    EXPECT_EQ(tenTimesAverage(92, 3), 306);
    EXPECT_EQ(averageText(306), "30.6");
    EXPECT_EQ(tenTimesAverage(27, 1), 270);
    EXPECT_EQ(averageText(270), "27.0");
    EXPECT_EQ(averageText(tenTimesAverage(5, 1)), " 5.0");
    // 2/3 is 0.666...: cut to 0.6, never rounded to 0.7.
    EXPECT_EQ(averageText(tenTimesAverage(2, 3)), " 0.6");
    EXPECT_EQ(averageText(tenTimesAverage(12345, 1)), "12345.0");
}

} // namespace
} // namespace norvane
