// Recordings cut into bursts and paced: each case is a recording and what a replay of it gives,
// burst by burst (its time and the address of each '$' in it) with the pause before each. Every
// case is read in chunks of 1, 7 and 64 KiB, which must not change a thing.

#include "replay/replay_pacing.h"
#include "replay/replay_player.h"
#include "support/nmea_sentence.h"
#include "support/permission_checks.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace norvane {
namespace {

namespace fs = std::filesystem;
using test::ggaLine;
using test::nmeaLine;
using test::rmcLine;

// "120001.200 GPGGA GPRMC", or "- ..." for a burst without a time.
std::string summary(const RecordedBurst& burst)
{
    char text[16] = "-";
    if (const auto ms = burst.timeMs)
        std::snprintf(text, sizeof text, "%02d%02d%02d.%03d", *ms / 3600000, *ms / 60000 % 60,
                      *ms / 1000 % 60, *ms % 1000);
    std::string out = text;
    for (std::size_t at = burst.bytes.find('$'); at != std::string::npos; at = burst.bytes.find('$', at + 1))
        out += " " + burst.bytes.substr(at + 1, 5);
    return out;
}

std::string written(const std::string& bytes)
{
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string path =
        (fs::temp_directory_path() / (std::string("norvane_") + test->name() + ".nmea")).string();
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

struct Played {
    std::vector<std::string> bursts;
    std::vector<std::int64_t> pausesMs; // before each burst after the first
    std::string bytes;                  // all the bursts' bytes, in order
};

// The whole recording on a clock that jumps to each due time, never taking a burst early.
Played play(const std::string& path, std::size_t chunkBytes, int speed)
{
    Played played;
    ReplayPlayer player(chunkBytes);
    std::int64_t now = 1000000, last = now;
    EXPECT_TRUE(player.open(path, now)) << player.error();
    player.setSpeed(speed);
    while (const auto wait = player.msUntilDue(now)) {
        if (*wait > 0) {
            EXPECT_FALSE(player.takeDue(now + *wait - 1));
        }
        now += *wait;
        const auto burst = player.takeDue(now);
        if (!burst)
            break;
        if (!played.bursts.empty())
            played.pausesMs.push_back(now - last);
        last = now;
        played.bursts.push_back(summary(*burst));
        played.bytes += burst->bytes;
    }
    EXPECT_TRUE(player.finished()) << player.error();
    return played;
}

const std::string kGsa = nmeaLine("GPGSA,A,3,02,05,,,,,,,,,,,1.9,1.0,1.5");
const std::string kGsv = nmeaLine("GPGSV,1,1,01,02,45,090,40");

std::string times(const std::string& text, int count)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += text;
    return out;
}

TEST(RecordingReplay, BurstsAndPausesAtTheRecordingsOwnPace)
{
    std::string fiveHertz = ggaLine("120000.00") + rmcLine("120000.00") + ggaLine("120000.20") +
                            rmcLine("120000.20") + ggaLine("120000.40");
    std::erase(fiveHertz, '\r');
    const struct {
        const char* name;
        std::string recording;
        std::vector<std::string> bursts;
        std::vector<std::int64_t> pausesMs;
    } cases[] = {
        {"one a second, banner lines with the first",
         "$SkyWren,GPS receiver module\r\n" + ggaLine("120000.000") + kGsa + kGsv + rmcLine("120000.000") +
             ggaLine("120001.000") + rmcLine("120001.000") + ggaLine("120002.000"),
         {"120000.000 SkyWr GPGGA GPGSA GPGSV GPRMC", "120001.000 GPGGA GPRMC", "120002.000 GPGGA"},
         {1000, 1000}},
        {"five a second, LF line ends",
         fiveHertz,
         {"120000.000 GPGGA GPRMC", "120000.200 GPGGA GPRMC", "120000.400 GPGGA"},
         {200, 200}},
        {"over midnight, the other time-bearing sentences",
         nmeaLine("GPZDA,235959.50,19,10,2007,00,00") +
             nmeaLine("GNGNS,000000.00,2459.2057,N,12130.1234,E,AA,12,0.9,56.3,15.2,,") +
             nmeaLine("GPGLL,2459.2057,N,12130.1234,E,000001.00,A,A") + rmcLine("000001.00"),
         {"235959.500 GPZDA", "000000.000 GNGNS", "000001.000 GPGLL GPRMC"},
         {500, 1000}},
        {"missing times: one burst per GGA, a second apart",
         ggaLine("120000.000") + rmcLine("120000.000") + ggaLine("") + kGsa + ggaLine("") + rmcLine("") +
             ggaLine("120005.000") + rmcLine("120005.000"),
         {"120000.000 GPGGA GPRMC", "- GPGGA GPGSA", "- GPGGA GPRMC", "120005.000 GPGGA GPRMC"},
         {1000, 1000, 1000}},
        {"out of order and far apart: a second each, a minute kept",
         ggaLine("120005.000") + ggaLine("120003.000") + ggaLine("120004.000") + ggaLine("120204.000") +
             ggaLine("120304.000"),
         {"120005.000 GPGGA", "120003.000 GPGGA", "120004.000 GPGGA", "120204.000 GPGGA", "120304.000 GPGGA"},
         {1000, 1000, 1000, 60000}},
        {"comment lines are left out",
         "# field test $GPTXT\r\n" + ggaLine("120000.000") + "#second $GPTXT\n" + rmcLine("120000.000") +
             ggaLine("120001.000"),
         {"120000.000 GPGGA GPRMC", "120001.000 GPGGA"},
         {1000}},
        {"binary junk stays; a garbled time paces nothing",
         ggaLine("120000.000") + std::string("\xA0\xA2\x00\x01OK\xB3$\xFF\r\n", 11) +
             "$GPGGA,120007.000,2459.2057,N,12130.1234,E,1,08,1.0,56.3,M,15.2,M,,*00\r\n" +
             rmcLine("120000.000") + ggaLine("120001.000"),
         {"120000.000 GPGGA \xFF\r\n$G GPGGA GPRMC", "120001.000 GPGGA"},
         {1000}},
        {"neither times nor GGA: a burst every 1000 bytes",
         times(kGsv, 81).substr(0, 2500),
         {"-" + times(" GPGSV", 33), "-" + times(" GPGSV", 32), "-" + times(" GPGSV", 16)},
         {1000, 1000}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = written(c.recording);
        for (std::size_t chunk : {std::size_t{1}, std::size_t{7}, RecordingFile::kChunkBytes}) {
            SCOPED_TRACE(chunk);
            const Played played = play(path, chunk, 1);
            EXPECT_EQ(played.bursts, c.bursts);
            EXPECT_EQ(played.pausesMs, c.pausesMs);
            if (c.recording[0] != '#') {
                EXPECT_EQ(played.bytes, c.recording) << "a replay feeds the recording's bytes as they are";
            }
        }
        fs::remove(path);
    }
}

TEST(RecordingReplay, SpeedsDivideThePausesAndMaxHasNone)
{
    const std::string path = written(ggaLine("120000.000") + ggaLine("120001.000") + ggaLine("120001.200") +
                                     ggaLine("120003.000"));
    const std::pair<int, std::vector<std::int64_t>> cases[] = {
        {1, {1000, 200, 1800}}, {2, {500, 100, 900}}, {5, {200, 40, 360}},
        {10, {100, 20, 180}},   {60, {16, 3, 30}},    {kReplayMax, {0, 0, 0}},
    };
    for (const auto& [speed, pauses] : cases)
        EXPECT_EQ(play(path, 64, speed).pausesMs, pauses) << replaySpeedText(speed);
    EXPECT_EQ(replaySpeedOfText("max"), kReplayMax);
    EXPECT_FALSE(replaySpeedOfText("3"));
    fs::remove(path);
}

TEST(RecordingReplay, SeekGoesOnFromTheNextSentenceAndEstimatesItsBurst)
{
    std::string recording;
    for (int second = 0; second < 100; ++second) {
        char time[16];
        std::snprintf(time, sizeof time, "12%02d%02d.000", 10 + second / 60, second % 60);
        recording += ggaLine(time) + kGsa + rmcLine(time);
    }
    ReplayPlayer player(100);
    ASSERT_TRUE(player.open(written(recording), 0));
    player.setSpeed(kReplayMax);
    ASSERT_TRUE(player.takeDue(0));
    EXPECT_EQ(positionText(player.position()), "burst 1 of about 100, 12:10:00 UTC");
    // A little past half way lands inside the 51st burst.
    player.seek(0.505, 0);
    EXPECT_NEAR(player.position().burst, 50, 1);
    const std::string after = summary(player.takeDue(0).value());
    EXPECT_TRUE(after == "121050.000 GPGSA GPRMC" || after == "121050.000 GPRMC") << after;
    EXPECT_EQ(summary(player.takeDue(0).value()), "121051.000 GPGGA GPGSA GPRMC");
    player.seek(1.0, 0);
    EXPECT_FALSE(player.takeDue(0));
    EXPECT_TRUE(player.finished());
    player.seek(0.0, 0);
    EXPECT_EQ(summary(player.takeDue(0).value()), "121000.000 GPGGA GPGSA GPRMC");
}

TEST(RecordingReplay, RecordingsThatCannotBeReplayedSayWhichAndWhy)
{
    const fs::path dir = fs::path(written("")).parent_path() / "norvane_replay_folder";
    fs::create_directories(dir);
    std::vector<std::pair<std::string, std::string>> cases = {
        {(dir / "missing.nmea").string(), "there is no such file."},
        {dir.string(), "it is a folder, not a recording."},
        {written(""), "the file is empty."},
    };
#ifndef _WIN32 // read-only is all Windows knows
    const std::string unreadable = (dir / "unreadable.nmea").string();
    std::ofstream(unreadable) << ggaLine("120000.000");
    fs::permissions(unreadable, fs::perms::none);
    cases.emplace_back(unreadable, "it cannot be opened (Permission denied).");
#endif
    PermissionChecksOn checks;
    for (const auto& [path, why] : cases) {
        ReplayPlayer player;
        EXPECT_FALSE(player.open(path, 0));
        EXPECT_EQ(player.error(), "Cannot replay \"" + path + "\": " + why);
        EXPECT_FALSE(player.takeDue(0));
    }
    fs::remove_all(dir);
}

} // namespace
} // namespace norvane
