// The survey options of the simulated receiver: without them its sentences are byte for byte
// those it sent before they existed (recorded then in tests/data/sim_model_bursts.nmea); with
// them the fixes come at the asked rate, carry finer positions and a GST claim.
#include "sim/receiver_model.h"
#include "sim/utc_clock.h"
#include "support/file_contents.h"

#include <gtest/gtest.h>

namespace norvane::sim {
namespace {

std::string twentySeconds(const SimulatorOptions& options)
{
    ReceiverModel model(options, *parseUtcTime(options.startTime), std::nullopt);
    std::string text;
    for (long second = 0; second < 20; ++second)
        for (const std::string& line : model.burst(second))
            text += line;
    return text;
}

TEST(SurveyOptions, WithoutThemTheOutputIsAsBefore)
{
    std::vector<SimulatorOptions> cases(3);
    cases[1].systems = {"GP", "GL", "GA", "GB"};
    cases[2].talker = "GN";
    cases[2].latitude = 3352.1280;
    cases[2].latHemisphere = 'S';
    cases[2].longitude = 7023.4567;
    cases[2].lonHemisphere = 'W';
    cases[2].altitude = -12.5;
    cases[2].seed = 5;
    std::string now;
    for (const SimulatorOptions& options : cases)
        now += twentySeconds(options);
    const std::string before = test::fileContents(NORVANE_TEST_DATA_DIR "/sim_model_bursts.nmea");
    ASSERT_FALSE(before.empty());
    EXPECT_TRUE(now == before) << "the simulator's default output changed";
}

TEST(SurveyOptions, FiveFixesASecondWithNoiseAndGst)
{
    SimulatorOptions options;
    options.fixRate = 5;
    options.gst = true;
    ASSERT_TRUE(parseNoise("2", options.noise));
    EXPECT_EQ(options.noise.vertical, 3);
    ReceiverModel model(options, *parseUtcTime(options.startTime), std::nullopt);
    const char* times[] = {"120000.000", "120000.200", "120000.400", "120000.600", "120000.800", "120001.000"};
    for (long slot = 0; slot < 6; ++slot) {
        SCOPED_TRACE(slot);
        const auto lines = model.burst(slot);
        const bool whole = slot % 5 == 0;
        ASSERT_EQ(lines.size(), whole ? 7u : 4u); // GGA GSA (3 GSV) RMC GST
        EXPECT_TRUE(lines[0].starts_with(std::string("$GPGGA,") + times[slot] + ",2459.")) << lines[0];
        // Seven decimals of minutes: "2459.2057xyz".
        EXPECT_EQ(lines[0].find(",N,") - lines[0].find(",2459."), 13u) << lines[0];
        EXPECT_TRUE(lines[lines.size() - 2].starts_with("$GPRMC,")) << lines[lines.size() - 2];
        EXPECT_TRUE(lines.back().starts_with(std::string("$GPGST,") + times[slot] + ",2.00,2.00,2.00,0.0,2.00,2.00,3.00*"))
            << lines.back();
    }
    const struct {
        const char* text;
        bool valid;
        double h, v, tau;
    } noises[] = {{"0.5:1:30", true, 0.5, 1, 30}, {"2:0.1", true, 2, 0.1, 0}, {"0", false, 0, 0, 0},
                  {"2:", false, 0, 0, 0},       {"-1", false, 0, 0, 0},      {"1:2:3:4", false, 0, 0, 0}};
    for (const auto& n : noises) {
        NoiseOptions noise;
        EXPECT_EQ(parseNoise(n.text, noise), n.valid) << n.text;
        if (n.valid) {
            EXPECT_EQ(noise.horizontal, n.h);
            EXPECT_EQ(noise.vertical, n.v);
            EXPECT_EQ(noise.tau, n.tau);
        }
    }
}

} // namespace
} // namespace norvane::sim
