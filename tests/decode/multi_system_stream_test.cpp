// A recording of the simulator hearing GPS, GLONASS, Galileo and BeiDou at 115200 baud, replayed
// the way the program reads a receiver: through a pseudo-terminal, the serial link and the
// receive loop, one second's burst (more than 1000 bytes) per tick.
#include "decode/receive_loop.h"
#include "support/fake_clock.h"
#include "support/file_contents.h"
#include "support/pty_pair.h"
#include "support/recording_sink.h"
#include "view/satellite_description.h"
#include "view/shown_satellites.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace norvane::test {
namespace {

std::vector<std::string> shownEntries(const ReceiverState& state)
{
    std::vector<std::string> entries;
    for (const ShownSatellite& s : shownSatellites(state).satellites) {
        SatelliteShowing one;
        one.satellites.push_back(s);
        const std::string text = satelliteDescription(one);
        entries.push_back(text.substr(text.find("; ") + 2));
    }
    return entries;
}

TEST(MultiSystemStream, ReplayAtLineSpeedGivesEverySystemsSatellites)
{
    const std::string stream = fileContents(NORVANE_TEST_DATA_DIR "/sim_four_systems.nmea");
    const auto expected = expectedLines(NORVANE_TEST_DATA_DIR "/sim_four_systems.expected");
    ASSERT_GT(expected.size(), 40u);

    FakeClock clock;
    ClockOverride useClock(clock);
    PtyPair pty;
    SerialLink link;
    ASSERT_TRUE(link.openLink(pty.exposeAs(72), "115200"));
    Receiver receiver;
    ReceiveBuffer buffer{};
    RecordingSink sink(&receiver);
    ReceiveLoop loop(link, receiver, buffer, sink);

    int seconds = 0;
    for (std::size_t at = 0; at < stream.size(); ++seconds) {
        const std::size_t next = stream.find("$GNGGA", at + 1);
        const std::string burst =
            next == std::string::npos ? stream.substr(at) + "$" : stream.substr(at, next - at);
        ASSERT_GT(burst.size(), 1500u);
        ASSERT_TRUE(pty.send(burst));
        ASSERT_TRUE(pty.waitQueued(burst.size()));
        ASSERT_EQ(loop.tick(), static_cast<int>(burst.size())) << "second " << seconds;
        at = next == std::string::npos ? stream.size() : next;
    }
    EXPECT_GE(seconds, 5);
    EXPECT_EQ(sink.rawLog.size(), static_cast<std::size_t>(std::count(stream.begin(), stream.end(), '$')) + 1)
        << "every sentence reached the raw log, after the empty text before the first";
    EXPECT_TRUE(shownSatellites(receiver.state).severalSystems);
    EXPECT_EQ(shownEntries(receiver.state), expected);
}

} // namespace
} // namespace norvane::test
