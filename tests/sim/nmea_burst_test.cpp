#include "sentence_text.h"
#include "sim/nmea_burst.h"
#include "sim/sky_model.h"
#include "sim/utc_clock.h"

#include <gtest/gtest.h>

namespace norvane::sim {
namespace {

using testing::fieldsOf;
using testing::hasValidChecksum;
using testing::typeOf;

BurstInput fixedInput(char fixMode, double second = 0)
{
    BurstInput input;
    input.time = addSeconds(*parseUtcTime("2007-10-19 12:00:00"), static_cast<long>(second));
    input.fixMode = fixMode;
    SkyModel sky(1);
    input.sky = fixMode == '1' ? sky.searchingAt(second) : sky.at(second);
    return input;
}

std::vector<std::string> typesOf(const std::vector<std::string>& burst)
{
    std::vector<std::string> types;
    for (const auto& sentence : burst)
        types.push_back(typeOf(sentence));
    return types;
}

TEST(NmeaBurst, ThreeDimensionalFixCarriesTheConfiguredPositionTimeAndDate)
{
    auto burst = nmeaBurst(fixedInput('3'));
    ASSERT_EQ(typesOf(burst), (std::vector<std::string>{"GGA", "GSA", "GSV", "GSV", "GSV", "RMC"}));
    for (const auto& sentence : burst) {
        EXPECT_TRUE(hasValidChecksum(sentence)) << sentence;
        EXPECT_EQ(sentence.substr(0, 3), "$GP");
    }
    auto gga = fieldsOf(burst[0]);
    EXPECT_EQ(gga[0], "120000.000");
    EXPECT_EQ(gga[1], "2459.2057");
    EXPECT_EQ(gga[2], "N");
    EXPECT_EQ(gga[3], "12130.1234");
    EXPECT_EQ(gga[4], "E");
    EXPECT_EQ(gga[5], "1");
    EXPECT_EQ(gga[8], "56.3");
    auto gsa = fieldsOf(burst[1]);
    EXPECT_EQ(gsa[1], "3");
    EXPECT_FALSE(gsa[2].empty());
    EXPECT_GT(std::stod(gsa[14]), 0.0);
    EXPECT_EQ(std::stoi(gga[6]),
              static_cast<int>(std::count_if(gsa.begin() + 2, gsa.begin() + 14,
                                             [](const std::string& f) { return !f.empty(); })));
    auto rmc = fieldsOf(burst[5]);
    EXPECT_EQ(rmc[0], "120000.000");
    EXPECT_EQ(rmc[1], "A");
    EXPECT_EQ(rmc[2], "2459.2057");
    EXPECT_EQ(rmc[8], "191007");
}

TEST(NmeaBurst, GsvGroupListsTenToTwelveSatellitesFourPerMessage)
{
    for (unsigned seed = 1; seed <= 6; ++seed) {
        BurstInput input = fixedInput('3');
        input.sky = SkyModel(seed).at(0);
        auto burst = nmeaBurst(input);
        int listed = 0;
        for (int m = 0; m < 3; ++m) {
            auto gsv = fieldsOf(burst[2 + m]);
            EXPECT_EQ(gsv[0], "3");
            EXPECT_EQ(gsv[1], std::to_string(m + 1));
            int inView = std::stoi(gsv[2]);
            EXPECT_GE(inView, 10);
            EXPECT_LE(inView, 12);
            int here = static_cast<int>(gsv.size() - 3) / 4;
            EXPECT_EQ(here, std::min(4, inView - 4 * m)) << burst[2 + m];
            listed += here;
            for (int s = 0; s < here; ++s) {
                int elevation = std::stoi(gsv[4 + 4 * s]);
                int azimuth = std::stoi(gsv[5 + 4 * s]);
                EXPECT_GE(elevation, 0);
                EXPECT_LE(elevation, 90);
                EXPECT_GE(azimuth, 0);
                EXPECT_LT(azimuth, 360);
            }
        }
        EXPECT_EQ(listed, std::stoi(fieldsOf(burst[2])[2]));
    }
}

TEST(NmeaBurst, WithoutFixThePositionFieldsAreEmptyAndFewSatellitesAreSeen)
{
    auto burst = nmeaBurst(fixedInput('1'));
    ASSERT_EQ(typesOf(burst), (std::vector<std::string>{"GGA", "GSA", "GSV", "RMC"}));
    auto gga = fieldsOf(burst[0]);
    EXPECT_EQ(gga[0], "120000.000");
    for (int f = 1; f <= 4; ++f)
        EXPECT_EQ(gga[f], "") << f;
    EXPECT_EQ(gga[5], "0");
    EXPECT_EQ(gga[8], "");
    auto gsa = fieldsOf(burst[1]);
    EXPECT_EQ(gsa[1], "1");
    for (int f = 2; f <= 13; ++f)
        EXPECT_EQ(gsa[f], "") << f;
    EXPECT_LE(std::stoi(fieldsOf(burst[2])[2]), 4);
    auto rmc = fieldsOf(burst[3]);
    EXPECT_EQ(rmc[1], "V");
    EXPECT_EQ(rmc[2], "");
    EXPECT_EQ(rmc[8], "191007");
    for (const auto& sentence : burst)
        EXPECT_TRUE(hasValidChecksum(sentence)) << sentence;
}

TEST(NmeaBurst, TwoDimensionalFixUsesThreeSatellitesAndHasNoAltitude)
{
    auto burst = nmeaBurst(fixedInput('2'));
    auto gga = fieldsOf(burst[0]);
    EXPECT_EQ(gga[1], "2459.2057");
    EXPECT_EQ(gga[6], "03");
    EXPECT_EQ(gga[8], "");
    auto gsa = fieldsOf(burst[1]);
    EXPECT_EQ(gsa[1], "2");
    EXPECT_FALSE(gsa[4].empty());
    EXPECT_TRUE(gsa[5].empty());
    EXPECT_EQ(fieldsOf(burst.back())[1], "A");
}

TEST(NmeaBurst, TalkerHemispheresAndSmallAnglesAreWrittenAsConfigured)
{
    BurstInput input = fixedInput('3');
    input.talker = "GN";
    input.position = {512.5, 'S', 7.25, 'W', -12.0};
    auto burst = nmeaBurst(input);
    for (const auto& sentence : burst)
        EXPECT_EQ(sentence.substr(0, 3), "$GN");
    auto gga = fieldsOf(burst[0]);
    EXPECT_EQ(gga[1], "0512.5000");
    EXPECT_EQ(gga[2], "S");
    EXPECT_EQ(gga[3], "00007.2500");
    EXPECT_EQ(gga[4], "W");
    EXPECT_EQ(gga[8], "-12.0");
}

TEST(NmeaBurst, TimeAndDateRollOverMidnightAndYearEnd)
{
    UtcTime start = *parseUtcTime("2007-12-31 23:59:58");
    BurstInput input = fixedInput('3');
    input.time = addSeconds(start, 3);
    auto burst = nmeaBurst(input);
    EXPECT_EQ(fieldsOf(burst[0])[0], "000001.000");
    EXPECT_EQ(fieldsOf(burst.back())[8], "010108");
    EXPECT_FALSE(parseUtcTime("2007-02-30 12:00:00"));
    EXPECT_FALSE(parseUtcTime("2007-10-19"));
    EXPECT_FALSE(parseUtcTime("2007-10-19 24:00:00"));
}

TEST(SkyModel, SatellitesDriftSlowlyAndTheSameSeedGivesTheSameSky)
{
    SkyModel sky(3);
    auto now = sky.at(100);
    auto second = sky.at(101);
    auto hour = sky.at(100 + 3600);
    ASSERT_EQ(now.size(), second.size());
    bool moved = false;
    for (std::size_t i = 0; i < now.size(); ++i) {
        EXPECT_EQ(now[i].prn, second[i].prn);
        EXPECT_LE(std::abs(now[i].elevation - second[i].elevation), 1);
        int turn = std::abs(now[i].azimuth - second[i].azimuth);
        EXPECT_TRUE(turn <= 1 || turn >= 359) << now[i].azimuth << " " << second[i].azimuth;
        moved = moved || now[i].azimuth != hour[i].azimuth || now[i].elevation != hour[i].elevation;
    }
    EXPECT_TRUE(moved);
    auto again = SkyModel(3).at(100);
    for (std::size_t i = 0; i < now.size(); ++i) {
        EXPECT_EQ(again[i].elevation, now[i].elevation);
        EXPECT_EQ(again[i].snr, now[i].snr);
    }
}

} // namespace
} // namespace norvane::sim
