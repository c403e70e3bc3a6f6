// How much one receive-loop tick reads at the connected rate: the old 1000 bytes up to 9600
// baud, two seconds of the line above it, and a larger backlog still discarded.
#include "decode/loop_rig.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace norvane::test {
namespace {

struct RateCase {
    const char* rate;
    std::size_t queued;
    int read;     // bytes the tick delivers
    int discards; // purges of the receive queue
};

TEST(LineRateReading, ATickReadsWhatTheLineCarriesInTwoSecondsAboveNinetySixHundred)
{
    const RateCase cases[] = {
        {"9600", 1000, 1000, 0}, {"9600", 1001, 0, 1},        {"19200", 3840, 3840, 0},
        {"19200", 3841, 0, 1},   {"115200", 20000, 20000, 0}, {"115200", 23040, 23040, 0},
        {"115200", 30000, 0, 1}, {"128000", 25600, 25600, 0}, {"4800", 1001, 0, 1},
    };
    for (const RateCase& c : cases) {
        LoopRig rig;
        ASSERT_TRUE(rig.fake.link.setLineSettings(c.rate));
        rig.fake.port->pushIncoming(std::string(c.queued, 'x'));
        EXPECT_EQ(rig.loop.tick(), c.read) << c.rate << " " << c.queued;
        EXPECT_EQ(rig.fake.port->purgeCount, c.discards) << c.rate << " " << c.queued;
        const auto& sleeps = rig.clock.sleeps();
        EXPECT_EQ(std::count(sleeps.begin(), sleeps.end(), 700), c.discards) << "700 ms after a discard";
    }
}

TEST(LineRateReading, AtFastRatesEverySentenceOfABurstReachesTheRawLog)
{
    LoopRig rig;
    ASSERT_TRUE(rig.fake.link.setLineSettings("115200"));
    std::string burst;
    for (int i = 0; i < 60; ++i)
        burst += nmeaLine("GPGSV,3,1,11,02,07,130,20,06,21,090,24,12,75,223,30,17,21,042,27,1");
    ASSERT_GT(burst.size(), 4000u);
    rig.tick(burst);
    rig.tick("$");
    EXPECT_EQ(rig.sink.rawLog.size(), 61u) << "an empty text before the first '$', then every sentence";
}

// Callers that name no limit (the acknowledgement wait) keep the thousand-byte read at any rate.
TEST(LineRateReading, ReadWithoutALimitKeepsItsThousandBytes)
{
    LoopRig rig;
    ASSERT_TRUE(rig.fake.link.setLineSettings("115200"));
    rig.fake.port->pushIncoming(std::string(1001, 'x'));
    EXPECT_EQ(rig.fake.link.readAvailable(rig.buffer), 0);
    EXPECT_EQ(rig.fake.port->purgeCount, 1);
}

} // namespace
} // namespace norvane::test
