// The simulator's receiver of several systems: its options, and the shape of its second.
#include "sim/command_line.h"
#include "sim/receiver_model.h"

#include <gtest/gtest.h>
#include <numeric>

namespace norvane::sim {
namespace {

TEST(Constellations, SystemsAndNmeaVersionOptions)
{
    struct Case {
        std::vector<std::string> arguments;
        std::vector<std::string> systems;
        bool nmea410;
        bool error;
    };
    const Case cases[] = {
        {{}, {"GP"}, true, false},
        {{"--systems", "GP,GL,GA,GB"}, {"GP", "GL", "GA", "GB"}, true, false},
        {{"--systems", "GL,GA", "--nmea", "4.0"}, {"GL", "GA"}, false, false},
        {{"--nmea", "4.10"}, {"GP"}, true, false},
        {{"--systems", "GP,GP"}, {}, true, true},
        {{"--systems", "GP,"}, {}, true, true},
        {{"--systems", "GP,GX"}, {}, true, true},
        {{"--systems", ""}, {}, true, true},
        {{"--nmea", "4.1x"}, {"GP"}, true, true},
    };
    for (const Case& c : cases) {
        const CommandLine line = parseCommandLine(c.arguments);
        EXPECT_EQ(!line.error.empty(), c.error) << line.error;
        if (c.error)
            continue;
        EXPECT_EQ(line.options.systems, c.systems);
        EXPECT_EQ(line.options.nmea410, c.nmea410);
    }
}

std::size_t bytesOf(const std::vector<std::string>& burst)
{
    return std::accumulate(burst.begin(), burst.end(), std::size_t{0},
                           [](std::size_t n, const std::string& s) { return n + s.size(); });
}

TEST(Constellations, FourSystemsSendMoreThanALineAtNinetySixHundredCarries)
{
    for (const bool nmea410 : {true, false}) {
        SimulatorOptions options;
        options.systems = {"GP", "GL", "GA", "GB"};
        options.nmea410 = nmea410;
        ReceiverModel model(options, UtcTime{}, std::nullopt);
        const auto burst = model.burst(60);
        EXPECT_GT(bytesOf(burst), nmea410 ? 1500u : 1000u);
        EXPECT_EQ(burst.front().substr(0, 6), "$GNGGA");
        EXPECT_EQ(burst.back().substr(0, 6), "$GNRMC");
        int gsa = 0;
        for (const std::string& sentence : burst) {
            if (sentence.compare(3, 3, "GSA") != 0)
                continue;
            ++gsa;
            const std::size_t fields = std::count(sentence.begin(), sentence.end(), ',');
            EXPECT_EQ(fields, nmea410 ? 18u : 17u) << sentence;
        }
        EXPECT_EQ(gsa, 4);
    }
}

} // namespace
} // namespace norvane::sim
