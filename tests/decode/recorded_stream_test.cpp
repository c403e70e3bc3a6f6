#include "decode/receive_loop.h"
#include "support/fake_clock.h"
#include "support/file_contents.h"
#include "support/pty_pair.h"
#include "support/recording_sink.h"

#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace norvane::test {
namespace {

// "name rest of line" per line; '#' lines are comments.
std::map<std::string, std::string> readExpected(const std::string& path)
{
    std::map<std::string, std::string> values;
    std::istringstream lines(fileContents(path));
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::size_t space = line.find(' ');
        values[line.substr(0, space)] = space == std::string::npos ? "" : line.substr(space + 1);
    }
    return values;
}

std::vector<double> numbers(const std::string& text)
{
    std::istringstream in(text);
    std::vector<double> values;
    for (double value; in >> value;)
        values.push_back(value);
    return values;
}

std::vector<double> column(const int (&values)[kSatelliteSlots])
{
    return std::vector<double>(std::begin(values), std::end(values));
}

// A recording of the simulator through a cold restart (banners, a stretch without a fix, the
// fix coming back, a version reply) replayed the way the program reads a receiver: through a
// pseudo-terminal, the serial link and the receive loop, a piece of the stream per tick.
TEST(RecordedStream, ReplayThroughAPseudoTerminalGivesTheRecordedValues)
{
    const std::string stream = fileContents(NORVANE_TEST_DATA_DIR "/sim_cold_start.nmea");
    auto expected = readExpected(NORVANE_TEST_DATA_DIR "/sim_cold_start.expected");
    ASSERT_GT(stream.size(), 10000u);
    ASSERT_FALSE(expected.empty());

    FakeClock clock;
    ClockOverride useClock(clock);
    PtyPair pty;
    SerialLink link;
    ASSERT_TRUE(link.openLink(pty.exposeAs(71), "9600"));
    Receiver receiver;
    ReceiveBuffer buffer{};
    RecordingSink sink(&receiver);
    ReceiveLoop loop(link, receiver, buffer, sink);

    // Pieces cut anywhere, so sentences and the version reply straddle ticks.
    constexpr std::size_t kPiece = 700;
    for (std::size_t at = 0; at <= stream.size(); at += kPiece) {
        const std::string piece =
            at + kPiece < stream.size() ? stream.substr(at, kPiece) : stream.substr(at) + "$";
        ASSERT_TRUE(pty.send(piece));
        ASSERT_TRUE(pty.waitQueued(piece.size()));
        ASSERT_EQ(loop.tick(), static_cast<int>(piece.size())) << "at byte " << at;
    }

    const ReceiverState& state = receiver.state;
    EXPECT_EQ(sink.memoLineCount(), std::stoi(expected["memo_lines"]));
    EXPECT_EQ(sink.count("showPosition"), std::stoi(expected["calls_showPosition"]));
    EXPECT_EQ(sink.count("showDate"), std::stoi(expected["calls_showDate"]));
    EXPECT_EQ(sink.count("drawSkyPlot"), std::stoi(expected["calls_drawSkyPlot"]));
    EXPECT_EQ(numbers(expected["utc"]), (std::vector<double>{double(state.utc_hour), double(state.utc_minute),
                                                             double(state.utc_second)}));
    EXPECT_EQ(
        numbers(expected["date"]),
        (std::vector<double>{double(state.date_day), double(state.date_month), double(state.date_year)}));
    EXPECT_DOUBLE_EQ(state.latitude, std::stod(expected["latitude"]));
    EXPECT_DOUBLE_EQ(state.longitude, std::stod(expected["longitude"]));
    EXPECT_DOUBLE_EQ(state.hdop, std::stod(expected["hdop"]));
    EXPECT_DOUBLE_EQ(state.altitude, std::stod(expected["altitude"]));
    EXPECT_DOUBLE_EQ(state.pdop, std::stod(expected["pdop"]));
    EXPECT_DOUBLE_EQ(state.speed_knots, std::stod(expected["speed_knots"]));
    EXPECT_DOUBLE_EQ(state.course, std::stod(expected["course"]));
    EXPECT_EQ(state.lat_hemisphere, std::stoi(expected["lat_hemisphere"]));
    EXPECT_EQ(state.lon_hemisphere, std::stoi(expected["lon_hemisphere"]));
    EXPECT_EQ(state.gga_quality, std::stoi(expected["gga_quality"]));
    EXPECT_EQ(state.fix_mode, std::stoi(expected["fix_mode"]));
    EXPECT_EQ(state.rmc_status, std::stoi(expected["rmc_status"]));
    EXPECT_EQ(state.rmc_mode, std::stoi(expected["rmc_mode"]));
    EXPECT_EQ(state.sats_used, std::stoi(expected["sats_used"]));
    EXPECT_EQ(state.gsv_count, std::stoi(expected["gsv_count"]));
    EXPECT_EQ(state.gsv_number, std::stoi(expected["gsv_number"]));
    EXPECT_EQ(state.sats_in_view, std::stoi(expected["sats_in_view"]));
    EXPECT_EQ(column(state.used_prns), numbers(expected["used_prns"]));
    EXPECT_EQ(column(state.sat_prn), numbers(expected["sat_prn"]));
    EXPECT_EQ(column(state.sat_elevation), numbers(expected["sat_elevation"]));
    EXPECT_EQ(column(state.sat_azimuth), numbers(expected["sat_azimuth"]));
    EXPECT_EQ(column(state.sat_snr), numbers(expected["sat_snr"]));
    EXPECT_EQ(sink.versions[0], expected["td_vers1"]);
    EXPECT_EQ(sink.versions[1], expected["td_vers2"]);
    EXPECT_EQ(sink.versions[2], expected["td_vers3"]);
    // The stream has a stretch without a fix: those ticks counted, the ones after the fix did not.
    EXPECT_GT(receiver.ttffTicks, 0);
    EXPECT_LT(receiver.ttffTicks, static_cast<int>(stream.size() / kPiece));
}

} // namespace
} // namespace norvane::test
