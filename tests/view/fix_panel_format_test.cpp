#include "view/fix_panel_format.h"

#include <gtest/gtest.h>

namespace norvane {
namespace {

TEST(FixPanelTime, ShiftsEastByOneHourPerFifteenDegreesAndWraps)
{
    EXPECT_EQ(formatTime(20, 15, 30, 12130.125, 'E'), "04:15:30");
    EXPECT_EQ(formatTime(23, 59, 59, 0.0, 'E'), "23:59:59");
    // 7 degrees 30 minutes is less than an hour: the sum is cut, not rounded.
    EXPECT_EQ(formatTime(23, 59, 59, 730.0, 'E'), "23:59:59");
    EXPECT_EQ(formatTime(9, 5, 7, 0.0, 'E'), "09:05:07");
}

TEST(FixPanelTime, ShiftsWestBackwards)
{
    EXPECT_EQ(formatTime(12, 0, 0, 12130.0, 'W'), "03:00:00");
    // 74 degrees west is 4.93 hours behind: 02:10 UTC is 21:xx the day before.
    EXPECT_EQ(formatTime(2, 10, 0, 7400.0, 'W'), "21:10:00");
    EXPECT_EQ(formatTime(5, 0, 0, 12000.0, 'W'), "21:00:00");
    EXPECT_EQ(zoneShiftedHour(0, 0.0, 'W'), 0);
}

TEST(FixPanelTime, UnknownHemisphereShiftsLikeEast)
{
    EXPECT_EQ(formatTime(20, 15, 30, 12130.125, 0), "04:15:30");
    EXPECT_EQ(formatTime(0, 0, 0, 0.0, 0), "00:00:00");
}

TEST(FixPanelPosition, DegreesMinutesSecondsWithHemisphere)
{
    EXPECT_EQ(formatPosition('N', 2459.2057), "N24\"59'12.34");
    EXPECT_EQ(formatPosition('E', 12130.125), "E121\"30'07.50");
    EXPECT_EQ(formatPosition('N', 2500.0), "N25\"00'00.00");
    EXPECT_EQ(formatPosition('S', 0.0), "S0\"00'00.00");
    EXPECT_EQ(formatPosition('W', 507.5), "W5\"07'30.00");
}

TEST(FixPanelPosition, HemisphereOfCodeZeroShowsNothing)
{
    EXPECT_EQ(formatPosition(0, 2459.2057), "");
    ReceiverState state;
    EXPECT_EQ(latitudeText(state), "");
    EXPECT_EQ(longitudeText(state), "");
}

TEST(FixPanelPosition, CorruptHugeValueStaysAText)
{
    const std::string text = formatPosition('N', 1e300);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.front(), 'N');
}

TEST(FixPanelValues, WidthsAndPrecisions)
{
    EXPECT_EQ(formatAltitude(56.3), "    56.3M");
    EXPECT_EQ(formatAltitude(0.0), "     0.0M");
    EXPECT_EQ(formatAltitude(-12.25), "   -12.2M");
    EXPECT_EQ(formatSpeed(0.0), "     0.0");
    EXPECT_EQ(formatSpeed(12.36), "    12.4");
    EXPECT_EQ(formatPdop(1.8), "1.8");
    EXPECT_EQ(formatPdop(12.3), "12.3");
    EXPECT_EQ(formatPdop(0.0), "0.0");
    EXPECT_EQ(formatDate(7, 3, 8), "2007/03/08");
    EXPECT_EQ(formatDate(7, 10, 19), "2007/10/19");
}

TEST(FixPanelValues, FixModeWords)
{
    EXPECT_EQ(formatFixMode('1'), "NONE");
    EXPECT_EQ(formatFixMode('2'), "  2D");
    EXPECT_EQ(formatFixMode('3'), "  3D");
    EXPECT_FALSE(formatFixMode('0').has_value());
    EXPECT_FALSE(formatFixMode(0).has_value());
}

TEST(FixPanelValues, TextsOfAWholeState)
{
    ReceiverState state;
    state.utc_hour = 20;
    state.utc_minute = 15;
    state.utc_second = 30;
    state.longitude = 12130.125;
    state.lon_hemisphere = 'E';
    state.date_year = 7;
    state.date_month = 10;
    state.date_day = 19;
    EXPECT_EQ(timeText(state), "04:15:30");
    EXPECT_EQ(longitudeText(state), "E121\"30'07.50");
    EXPECT_EQ(dateText(state), "2007/10/19");
}

} // namespace
} // namespace norvane
