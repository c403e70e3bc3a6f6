#include "sim/replay_source.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace norvane::sim {
namespace {

TEST(ReplaySource, BurstsRunFromOneGgaToTheNextAndStartOver)
{
    ReplaySource replay;
    ASSERT_TRUE(replay.loadText("$SkyX,banner\n$GPGGA,a*00\r\n$GPGSA,b*00\n\n$GPGGA,c*00\n$GPRMC,d*00\r\n"));
    ASSERT_EQ(replay.burstCount(), 2u);
    // What precedes the first GGA is sent with it; every line goes out with CR LF.
    EXPECT_EQ(replay.nextBurst(),
              (std::vector<std::string>{"$SkyX,banner\r\n", "$GPGGA,a*00\r\n", "$GPGSA,b*00\r\n"}));
    EXPECT_EQ(replay.nextBurst(), (std::vector<std::string>{"$GPGGA,c*00\r\n", "$GPRMC,d*00\r\n"}));
    EXPECT_EQ(replay.nextBurst()[1], "$GPGGA,a*00\r\n");
}

TEST(ReplaySource, LogWithoutGgaIsOneBurstAndAnEmptyOrMissingLogIsRefused)
{
    ReplaySource replay;
    ASSERT_TRUE(replay.loadText("$GPRMC,1*00\n$GPRMC,2*00\n"));
    EXPECT_EQ(replay.burstCount(), 1u);
    EXPECT_FALSE(replay.loadText("\r\n\n"));
    EXPECT_FALSE(replay.loadFile("/nonexistent/recording.txt"));
}

TEST(ReplaySource, LoadsAFile)
{
    std::string path = ::testing::TempDir() + "replay_source_test_" + std::to_string(getpid()) + ".txt";
    std::ofstream(path) << "$GNGGA,1*00\r\n$GNRMC,1*00\r\n$GNGGA,2*00\r\n";
    ReplaySource replay;
    ASSERT_TRUE(replay.loadFile(path));
    EXPECT_EQ(replay.burstCount(), 2u);
    std::remove(path.c_str());
}

} // namespace
} // namespace norvane::sim
