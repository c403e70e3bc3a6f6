// The simulator's own reading of a recording: bursts and the pause after each, the step from the
// last burst back to the first included.
#include "sim/replay_source.h"
#include "support/nmea_sentence.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>

namespace norvane::sim {
namespace {

using test::nmea;

std::string gga(const std::string& time)
{
    return nmea("GPGGA," + time + ",2459.2057,N,12130.1234,E,1,08,1.0,56.3,M,15.2,M,,") + "\r\n";
}

// Each burst as the types of its lines (the text after '$' up to the first comma), and the
// seconds to the next burst.
struct Replayed {
    std::vector<std::string> bursts;
    std::vector<double> pauses;
};

Replayed replayed(ReplaySource& replay)
{
    Replayed result;
    for (std::size_t i = 0; i < replay.burstCount(); ++i) {
        std::string types;
        for (const std::string& line : replay.nextBurst()) {
            EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
            types += (types.empty() ? "" : " ") + line.substr(1, line.find(',') - 1);
        }
        result.bursts.push_back(types);
        result.pauses.push_back(replay.secondsToNextBurst());
    }
    return result;
}

std::string types(const std::string& type, int count)
{
    std::string text = type;
    for (int i = 1; i < count; ++i)
        text += " " + type;
    return text;
}

TEST(SimReplaySource, BurstsAndPausesFollowTheRecordedTimes)
{
    std::string untimed;
    for (int i = 0; i < 40; ++i)
        untimed += nmea("GPGSV,1,1,01,02,45,090,40") + "\n";
    const struct {
        const char* name;
        std::string recording;
        std::vector<std::string> bursts;
        std::vector<double> pauses;
    } cases[] = {
        {"one a second, banner with the first",
         "$SkyX,banner\n" + gga("120000.000") + nmea("GPRMC,120000.000,A,,,,,,,191007,,,A") + "\n" + gga("120001.000"),
         {"SkyX GPGGA GPRMC", "GPGGA"},
         {1.0, 1.0}},
        {"five a second", gga("120000.00") + gga("120000.20") + gga("120000.40"), {"GPGGA", "GPGGA", "GPGGA"}, {0.2, 0.2, 1.0}},
        {"midnight, ZDA and GLL",
         nmea("GPZDA,235959.50,19,10,2007,00,00") + "\n" + nmea("GPGLL,2459.2057,N,12130.1234,E,000000.20,A,A") + "\n",
         {"GPZDA", "GPGLL"},
         {0.7, 1.0}},
        {"missing times and a comment", "# roof\n" + gga("") + "$GPGSA,x\r\n" + gga("") + gga("120009.000"),
         {"GPGGA GPGSA", "GPGGA", "GPGGA"},
         {1.0, 1.0, 1.0}},
        {"out of order and a minute apart; a broken checksum paces nothing",
         gga("120005.000") + "$GPGGA,120007.000,,,,,0,00,,,M,,M,,*00\n" + gga("120003.000") + gga("120104.000") +
             gga("120204.000"),
         {"GPGGA GPGGA", "GPGGA", "GPGGA", "GPGGA"},
         {1.0, 1.0, 60.0, 1.0}},
        {"neither times nor GGA: up to 1000 bytes", untimed, {types("GPGSV", 32), types("GPGSV", 8)}, {1.0, 1.0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ReplaySource replay;
        ASSERT_TRUE(replay.loadText(c.recording));
        const Replayed got = replayed(replay);
        EXPECT_EQ(got.bursts, c.bursts);
        EXPECT_EQ(got.pauses, c.pauses);
    }
}

TEST(SimReplaySource, AnEmptyOrMissingLogIsRefused)
{
    ReplaySource replay;
    EXPECT_FALSE(replay.loadText("\r\n\n# only a comment\n"));
    EXPECT_FALSE(replay.loadFile("/nonexistent/recording.txt"));
    const std::string path = ::testing::TempDir() + "sim_replay_source_test.txt";
    std::ofstream(path) << gga("120000.000") << gga("120001.000");
    EXPECT_TRUE(replay.loadFile(path));
    EXPECT_EQ(replay.burstCount(), 2u);
    std::remove(path.c_str());
}

} // namespace
} // namespace norvane::sim
