// The simulator's own reading of a recording: each burst's line types and the seconds to the
// next burst, the step from the last burst back to the first included.
#include "sim/replay_source.h"
#include "support/nmea_sentence.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>

namespace norvane::sim {
namespace {

using test::ggaLine;
using test::nmeaLine;

std::string repeated(const std::string& text, int count, const std::string& between = "")
{
    std::string out = text;
    for (int i = 1; i < count; ++i)
        out += between + text;
    return out;
}

TEST(SimReplaySource, BurstsAndPausesFollowTheRecordedTimes)
{
    const struct {
        std::string recording;
        std::vector<std::string> bursts;
        std::vector<double> pauses;
    } cases[] = {
        {"$SkyX,banner\n" + ggaLine("120000.000") + nmeaLine("GPRMC,120000.000,A,,,,,,,191007,,,A") +
             ggaLine("120001.000"),
         {"SkyX GPGGA GPRMC", "GPGGA"},
         {1.0, 1.0}},
        {ggaLine("120000.00") + ggaLine("120000.20") + ggaLine("120000.40"),
         {"GPGGA", "GPGGA", "GPGGA"},
         {0.2, 0.2, 1.0}},
        {nmeaLine("GPZDA,235959.50,19,10,2007,00,00") +
             nmeaLine("GPGLL,2459.2057,N,12130.1234,E,000000.20,A,A"),
         {"GPZDA", "GPGLL"},
         {0.7, 1.0}},
        {"# roof\n" + ggaLine("") + "$GPGSA,x\r\n" + ggaLine("") + ggaLine("120009.000"),
         {"GPGGA GPGSA", "GPGGA", "GPGGA"},
         {1.0, 1.0, 1.0}},
        {ggaLine("120005.000") + "$GPGGA,120007.000,,,,,0,00,,,M,,M,,*00\n" + ggaLine("120003.000") +
             ggaLine("120104.000") + ggaLine("120204.000"),
         {"GPGGA GPGGA", "GPGGA", "GPGGA", "GPGGA"},
         {1.0, 1.0, 60.0, 1.0}},
        {repeated(nmeaLine("GPGSV,1,1,01,02,45,090,40"), 40),
         {repeated("GPGSV", 32, " "), repeated("GPGSV", 8, " ")},
         {1.0, 1.0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.recording.substr(0, 30));
        ReplaySource replay;
        ASSERT_TRUE(replay.loadText(c.recording));
        std::vector<std::string> bursts;
        std::vector<double> pauses;
        for (std::size_t i = 0; i < replay.burstCount(); ++i) {
            std::string types;
            for (const std::string& line : replay.nextBurst())
                types += (types.empty() ? "" : " ") + line.substr(1, line.find(',') - 1);
            bursts.push_back(types);
            pauses.push_back(replay.secondsToNextBurst());
        }
        EXPECT_EQ(bursts, c.bursts);
        EXPECT_EQ(pauses, c.pauses);
    }
}

TEST(SimReplaySource, AnEmptyOrMissingLogIsRefused)
{
    ReplaySource replay;
    EXPECT_FALSE(replay.loadText("\r\n\n# only a comment\n"));
    EXPECT_FALSE(replay.loadFile("/nonexistent/recording.txt"));
    const std::string path = ::testing::TempDir() + "sim_replay_source_test.txt";
    std::ofstream(path) << ggaLine("120000.000") << ggaLine("120001.000");
    EXPECT_TRUE(replay.loadFile(path));
    EXPECT_EQ(replay.nextBurst(), std::vector<std::string>{ggaLine("120000.000")});
    std::remove(path.c_str());
}

} // namespace
} // namespace norvane::sim
