#include "sim/command_line.h"

#include <gtest/gtest.h>
#include <sstream>

namespace norvane::sim {
namespace {

TEST(CommandLine, EveryOptionReachesTheSimulatorOptions)
{
    std::vector<std::string> arguments;
    std::istringstream words(
        "--rate 4800 --talker GN --lat 3412.5S --lon 01805.25W --alt -3.5 --no-pacing "
        "--speed 20 --replay log.txt --link /tmp/gps --seed 9 --no-ack --cold 6 --warm 4 "
        "--hot 0.5 --no-banners --dated-version --start now --silent-at block "
        "--silent-times 2 --err-at-end");
    for (std::string word; words >> word;)
        arguments.push_back(word);
    CommandLine line = parseCommandLine(arguments);
    ASSERT_EQ(line.error, "");
    const SimulatorOptions& o = line.options;
    EXPECT_EQ(o.rate, 4800);
    EXPECT_EQ(o.talker, "GN");
    EXPECT_DOUBLE_EQ(o.latitude, 3412.5);
    EXPECT_EQ(o.latHemisphere, 'S');
    EXPECT_DOUBLE_EQ(o.longitude, 1805.25);
    EXPECT_EQ(o.lonHemisphere, 'W');
    EXPECT_DOUBLE_EQ(o.altitude, -3.5);
    EXPECT_FALSE(o.pacing);
    EXPECT_DOUBLE_EQ(o.speed, 20);
    EXPECT_EQ(o.replayFile, "log.txt");
    EXPECT_EQ(o.linkPath, "/tmp/gps");
    EXPECT_EQ(o.seed, 9u);
    EXPECT_FALSE(o.answerFrames);
    EXPECT_DOUBLE_EQ(o.coldSeconds, 6);
    EXPECT_DOUBLE_EQ(o.warmSeconds, 4);
    EXPECT_DOUBLE_EQ(o.hotSeconds, 0.5);
    EXPECT_FALSE(o.banners);
    EXPECT_TRUE(o.datedVersionLine);
    EXPECT_EQ(o.startTime, "");
    EXPECT_EQ(o.download.silentAt, DownloadStep::Block);
    EXPECT_EQ(o.download.silentTimes, 2);
    EXPECT_TRUE(o.download.errAtEnd);
    EXPECT_FALSE(line.help);
}

TEST(CommandLine, DefaultsAndHemisphereLeftOff)
{
    CommandLine line = parseCommandLine({"--lat", "2459.2057"});
    ASSERT_EQ(line.error, "");
    EXPECT_EQ(line.options.latHemisphere, 'N');
    EXPECT_EQ(line.options.rate, 9600);
    EXPECT_TRUE(line.options.pacing);
    EXPECT_EQ(line.options.startTime, "2007-10-19 12:00:00");
    EXPECT_TRUE(parseCommandLine({"--help"}).help);
}

TEST(CommandLine, BadArgumentsAreNamed)
{
    for (const auto& arguments : std::vector<std::vector<std::string>>{{"--rate", "fast"},
                                                                       {"--rate", "0"},
                                                                       {"--talker", "XX"},
                                                                       {"--lat", "2459.2057E"},
                                                                       {"--lon", "-5"},
                                                                       {"--speed", "0"},
                                                                       {"--cold", "-1"},
                                                                       {"--silent-at", "never"},
                                                                       {"--rate"},
                                                                       {"--colour"}}) {
        CommandLine line = parseCommandLine(arguments);
        EXPECT_NE(line.error, "") << arguments[0];
        EXPECT_NE(line.error.find(arguments[0]), std::string::npos) << line.error;
    }
    EXPECT_NE(usageText().find("--replay FILE"), std::string::npos);
}

} // namespace
} // namespace norvane::sim
