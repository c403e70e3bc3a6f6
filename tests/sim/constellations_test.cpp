// The simulator's receiver of several systems: its options, and the shape of its second.
#include "sentence_text.h"
#include "sim/command_line.h"
#include "sim/receiver_model.h"
#include "support/file_contents.h"

#include <gtest/gtest.h>
#include <map>
#include <numeric>
#include <set>

namespace norvane::sim {
namespace {

using testing::fieldsOf;

TEST(Constellations, SystemsBandsAndNmeaVersionOptions)
{
    struct Case {
        std::vector<std::string> arguments;
        std::vector<std::string> systems;
        bool nmea410;
        bool error;
        std::vector<std::string> bands = {};
    };
    const Case cases[] = {
        {{}, {"GP"}, true, false},
        {{"--systems", "GP,GL,GA,GB"}, {"GP", "GL", "GA", "GB"}, true, false},
        {{"--systems", "GL,GA", "--nmea", "4.0"}, {"GL", "GA"}, false, false},
        {{"--nmea", "4.10"}, {"GP"}, true, false},
        {{"--systems", "GP,GQ", "--bands", "L1,L5"}, {"GP", "GQ"}, true, false, {"L1", "L5"}},
        {{"--bands", "L1"}, {"GP"}, true, false, {"L1"}},
        {{"--systems", "GP,GP"}, {}, true, true},
        {{"--systems", "GP,"}, {}, true, true},
        {{"--systems", "GP,GX"}, {}, true, true},
        {{"--systems", ""}, {}, true, true},
        {{"--nmea", "4.1x"}, {"GP"}, true, true},
        {{"--bands", "L5"}, {}, true, true},
        {{"--bands", "L1,L1"}, {}, true, true},
        {{"--bands", "L1,L5", "--nmea", "4.0"}, {}, true, true},
        {{"--nmea", "4.0", "--bands", "L1"}, {}, true, true},
    };
    for (const Case& c : cases) {
        const CommandLine line = parseCommandLine(c.arguments);
        EXPECT_EQ(!line.error.empty(), c.error) << line.error;
        if (c.error)
            continue;
        EXPECT_EQ(line.options.systems, c.systems);
        EXPECT_EQ(line.options.nmea410, c.nmea410);
        EXPECT_EQ(line.options.bands, c.bands);
    }
}

// Without bands the simulator sends what it sent when the four-system recording was made: the
// recording is the bursts of consecutive seconds, byte for byte.
TEST(Constellations, WithoutBandsTheFourSystemRecordingIsSentAgain)
{
    const std::string recorded = test::fileContents(NORVANE_TEST_DATA_DIR "/sim_four_systems.nmea");
    ASSERT_EQ(recorded.compare(0, 17, "$GNGGA,120001.000"), 0) << "the recording starts at second 1";
    SimulatorOptions options; // as tests/data/record_multi_system_stream.py starts it
    options.systems = {"GP", "GL", "GA", "GB"};
    options.seed = 5;
    options.banners = false;
    ReceiverModel model(options, *parseUtcTime("2007-10-19 12:00:00"), std::nullopt);
    std::string sent;
    for (long second = 1; sent.size() < recorded.size(); ++second) {
        for (const std::string& sentence : model.burst(second))
            sent += sentence;
    }
    EXPECT_EQ(sent, recorded);
}

// Every satellite of a system is heard on each band the system has, with the signal IDs of
// NMEA 4.11; on L5 a few dB off its L1 strength, untracked on both or on neither.
TEST(Constellations, BandsSendEverySatelliteOnEachBandOfItsSystem)
{
    SimulatorOptions options;
    options.systems = {"GP", "GL", "GA", "GB", "GQ"};
    options.bands = {"L1", "L5"};
    ReceiverModel model(options, UtcTime{}, std::nullopt);
    using Group = std::pair<std::string, std::map<std::string, std::string>>; // signal ID, PRN -> SNR
    std::map<std::string, std::vector<Group>> heard;                          // by talker, as sent
    for (const std::string& sentence : model.burst(300)) {
        const auto f = fieldsOf(sentence);
        if (sentence.compare(3, 3, "GSV") != 0)
            continue;
        auto& groups = heard[sentence.substr(1, 2)];
        if (f[1] == "1")
            groups.push_back({f.back(), {}});
        for (std::size_t i = 3; i + 3 < f.size(); i += 4)
            groups.back().second[f[i]] = f[i + 3];
    }
    const std::map<std::string, std::vector<std::string>> expected{
        {"GP", {"1", "7"}}, {"GL", {"1"}}, {"GA", {"7", "1"}}, {"GB", {"1", "5"}}, {"GQ", {"1", "7"}}};
    std::set<int> offsets;
    for (const auto& [talker, ids] : expected) {
        const auto& groups = heard[talker];
        ASSERT_EQ(groups.size(), ids.size()) << talker;
        for (std::size_t g = 0; g < ids.size(); ++g)
            EXPECT_EQ(groups[g].first, ids[g]) << talker;
        for (std::size_t g = 1; g < ids.size(); ++g) {
            ASSERT_EQ(groups[g].second.size(), groups[0].second.size()) << talker;
            for (const auto& [prn, snr] : groups[0].second) {
                const std::string& l5 = groups[g].second.at(prn);
                ASSERT_EQ(snr.empty(), l5.empty()) << talker << " " << prn;
                if (!snr.empty())
                    offsets.insert(std::stoi(l5) - std::stoi(snr));
            }
        }
    }
    EXPECT_GE(offsets.size(), 4u) << "the offset differs from satellite to satellite";
    for (const int offset : offsets)
        EXPECT_TRUE(offset != 0 && std::abs(offset) <= 5) << offset;
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
