#include "control/command_sending.h"
#include "decode/receive_loop.h"
#include "serial/clock.h"
#include "sim/simulator.h"
#include "support/fake_clock.h"
#include "support/recording_sink.h"

#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace norvane::test {
namespace {

std::vector<std::string> split(const std::string& sentence)
{
    std::vector<std::string> fields;
    std::istringstream in(sentence.substr(0, sentence.find('*')));
    for (std::string field; std::getline(in, field, ',');)
        fields.push_back(field);
    return fields;
}

// The simulator on its pseudo-terminal, read the way the program reads a receiver: the serial
// link opened on the device under a COM name, and the receive loop ticking over it.
class ReceivePath : public ::testing::Test {
protected:
    bool connect(sim::SimulatorOptions options, const std::string& rateText)
    {
        options.pacing = false;
        options.speed = 4;
        simulator_ = std::make_unique<sim::Simulator>(options);
        if (!simulator_->start())
            return false;
        setenv("NORVANE_COM72", simulator_->devicePath().c_str(), 1);
        return link.openLink("COM72", rateText);
    }

    void TearDown() override
    {
        link.closePort();
        if (simulator_)
            simulator_->stop();
        unsetenv("NORVANE_COM72");
    }

    // Ticks about every 50 ms until `done` holds or about 10 seconds have passed.
    bool tickUntil(const std::function<bool()>& done)
    {
        SystemClock real;
        for (int i = 0; i < 200; ++i) {
            loop.tick();
            if (done())
                return true;
            real.sleepMs(50);
        }
        return false;
    }

    // The last memo line that begins with one of `heads`.
    std::string lastLine(const std::vector<std::string>& heads) const
    {
        for (auto line = sink.memo.rbegin(); line != sink.memo.rend(); ++line)
            for (const std::string& head : heads)
                if (line->rfind(head, 0) == 0)
                    return *line;
        return {};
    }

    FakeClock clock; // the link's fixed waits take no time
    ClockOverride useClock{clock};
    SerialLink link;
    Receiver receiver;
    ReceiveBuffer buffer{};
    RecordingSink sink{&receiver};
    ReceiveLoop loop{link, receiver, buffer, sink};
    std::unique_ptr<sim::Simulator> simulator_;
};

TEST_F(ReceivePath, AtTheSimulatorsRateTheStateHoldsItsFixAndSatellites)
{
    sim::SimulatorOptions options;
    options.talker = "GN";
    options.latitude = 4807.038;
    options.latHemisphere = 'S';
    options.longitude = 1131.5;
    options.lonHemisphere = 'W';
    options.altitude = 545.4;
    ASSERT_TRUE(connect(options, "9600"));
    ASSERT_TRUE(tickUntil([&] { return sink.count("showDate") >= 3 && sink.count("drawSkyPlot") >= 4; }));

    const ReceiverState& state = receiver.state;
    EXPECT_DOUBLE_EQ(state.latitude, 4807.038);
    EXPECT_EQ(state.lat_hemisphere, 'S');
    EXPECT_DOUBLE_EQ(state.longitude, 1131.5);
    EXPECT_EQ(state.lon_hemisphere, 'W');
    EXPECT_DOUBLE_EQ(state.altitude, 545.4);
    EXPECT_EQ(state.date_day, 19);
    EXPECT_EQ(state.date_month, 10);
    EXPECT_EQ(state.date_year, 7);
    EXPECT_EQ(state.fix_mode, simulator_->fixMode());

    // Time, PDOP and satellites as the simulator's latest sentences carried them.
    // GGA and RMC both carry the time; the later one wins.
    const std::string timed = lastLine({"$GNGGA", "$GNRMC"});
    ASSERT_FALSE(timed.empty());
    const std::string time = split(timed).at(1);
    EXPECT_EQ(state.utc_hour, std::stoi(time.substr(0, 2)));
    EXPECT_EQ(state.utc_minute, std::stoi(time.substr(2, 2)));
    EXPECT_EQ(state.utc_second, std::stoi(time.substr(4, 2)));
    EXPECT_EQ(state.utc_hour, 12);

    const std::vector<std::string> gsa = split(lastLine({"$GNGSA"}));
    ASSERT_GE(gsa.size(), 16u);
    EXPECT_DOUBLE_EQ(state.pdop, std::stod(gsa[15]));
    EXPECT_GT(state.pdop, 0.0);

    EXPECT_GE(state.sats_in_view, 10);
    EXPECT_LE(state.sats_in_view, 12);
    for (int message = 1; message <= state.gsv_count; ++message) {
        const std::vector<std::string> gsv = split(
            lastLine({"$GNGSV," + std::to_string(state.gsv_count) + "," + std::to_string(message) + ","}));
        ASSERT_GE(gsv.size(), 8u) << message;
        for (std::size_t field = 4, n = (message - 1) * 4; field + 2 < gsv.size(); field += 4, ++n) {
            EXPECT_EQ(state.sat_prn[n], std::stoi(gsv[field])) << n;
            EXPECT_EQ(state.sat_elevation[n], std::stoi(gsv[field + 1])) << n;
            EXPECT_EQ(state.sat_azimuth[n], std::stoi(gsv[field + 2])) << n;
        }
    }
}

TEST_F(ReceivePath, AtAWrongRateNoSentenceDecodes)
{
    ASSERT_TRUE(connect(sim::SimulatorOptions{}, "4800"));
    int bytesRead = 0;
    ASSERT_TRUE(tickUntil([&] {
        bytesRead += sink.restartTestTicks.back();
        return bytesRead > 3000;
    }));
    EXPECT_TRUE(sink.calls.empty());
    EXPECT_TRUE(sink.versionWrites.empty());
    EXPECT_EQ(receiver.state.latitude, 0.0);
    EXPECT_EQ(receiver.state.sats_in_view, 0);
    EXPECT_EQ(receiver.state.fix_mode, '\0');
}

// 0x11 and 0x13 are XON and XOFF to a tty that keeps software flow control: they would never
// reach the program, and the reply's fields after them would shift.
TEST_F(ReceivePath, VersionReplyWithXonAndXoffBytesArrivesWhole)
{
    sim::SimulatorOptions options;
    options.banners = false; // the banners would fill the fields first
    options.flowControlVersion = true;
    options.softwareFlowControl = true;
    ASSERT_TRUE(connect(options, "9600"));
    sendLumoRevisionQuery(link);
    ASSERT_TRUE(tickUntil([&] { return !sink.versions[2].empty(); }));
    EXPECT_EQ(sink.versions[0], "PLN2.03-1019");
    EXPECT_EQ(sink.versions[1], "2019/10/11") << "year 0x13, month 10, day 0x11";
    EXPECT_EQ(sink.versions[2], "       CRC: 13 11");
}

} // namespace
} // namespace norvane::test
