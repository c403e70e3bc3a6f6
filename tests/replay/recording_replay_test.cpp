// Recordings cut into bursts and paced: each case is a recording and what a replay of it at the
// recording's own pace gives, burst by burst (its time and its sentences) with the pause before
// each. Every case is read in chunks of 1, 7 and 64 KiB bytes, which must not change a thing.

#include "replay/replay_player.h"
#include "replay/replay_pacing.h"
#include "support/nmea_sentence.h"
#include "support/permission_checks.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace norvane {
namespace {

namespace fs = std::filesystem;
using test::nmeaLine;

// "120001.200 GPGGA GPRMC": the burst's time (or "-") and the address of each '$' in it.
std::string summary(const RecordedBurst& burst)
{
    char time[16] = "-";
    if (const auto ms = burst.timeMs) {
        const int s = *ms / 1000;
        std::snprintf(time, sizeof time, "%02d%02d%02d.%03d", s / 3600, s / 60 % 60, s % 60, *ms % 1000);
    }
    std::string text = time;
    for (std::size_t at = burst.bytes.find('$'); at != std::string::npos; at = burst.bytes.find('$', at + 1))
        text += " " + burst.bytes.substr(at + 1, 5);
    return text;
}

class RecordingFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("norvane_replay_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                            "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override
    {
        fs::permissions(dir_, fs::perms::owner_all);
        fs::remove_all(dir_);
    }
    std::string write(const std::string& name, const std::string& bytes)
    {
        const std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    fs::path dir_;
};

struct Played {
    std::vector<std::string> bursts;
    std::vector<std::int64_t> pausesMs; // before each burst after the first
    std::string bytes;                  // all the bursts' bytes, in order
};

// Plays the whole recording on a clock that jumps to each due time.
Played play(const std::string& path, std::size_t chunkBytes, int speed)
{
    Played played;
    ReplayPlayer player(chunkBytes);
    std::int64_t now = 1000000;
    EXPECT_TRUE(player.open(path, now)) << player.error();
    player.setSpeed(speed);
    std::int64_t last = now;
    while (const auto wait = player.msUntilDue(now)) {
        now += *wait;
        if (*wait > 0) {
            EXPECT_FALSE(player.takeDue(now - 1)) << "a burst came before it was due";
        }
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

struct PacingCase {
    const char* name;
    std::string recording;
    std::vector<std::string> bursts;
    std::vector<std::int64_t> pausesMs;
};

std::string gga(const char* time)
{
    return nmeaLine(std::string("GPGGA,") + time + ",2459.2057,N,12130.1234,E,1,08,1.0,56.3,M,15.2,M,,");
}
std::string rmc(const char* time)
{
    return nmeaLine(std::string("GPRMC,") + time + ",A,2459.2057,N,12130.1234,E,0.00,0.00,191007,,,A");
}
const std::string kGsa = nmeaLine("GPGSA,A,3,02,05,,,,,,,,,,,1.9,1.0,1.5");
const std::string kGsv = nmeaLine("GPGSV,1,1,01,02,45,090,40");

std::string withLfOnly(std::string text)
{
    std::erase(text, '\r');
    return text;
}

std::string repeated(const std::string& text, std::size_t bytes)
{
    std::string out;
    while (out.size() < bytes)
        out += text;
    return out.substr(0, bytes);
}

std::vector<PacingCase> pacingCases()
{
    return {
        {"one a second, banner lines with the first",
         "$SkyWren,GPS receiver module\r\n" + gga("120000.000") + kGsa + kGsv + rmc("120000.000") +
             gga("120001.000") + kGsa + rmc("120001.000") + gga("120002.000"),
         {"120000.000 SkyWr GPGGA GPGSA GPGSV GPRMC", "120001.000 GPGGA GPGSA GPRMC", "120002.000 GPGGA"},
         {1000, 1000}},
        {"five a second, LF line ends",
         withLfOnly(gga("120000.00") + rmc("120000.00") + gga("120000.20") + rmc("120000.20") + gga("120000.40")),
         {"120000.000 GPGGA GPRMC", "120000.200 GPGGA GPRMC", "120000.400 GPGGA"},
         {200, 200}},
        {"over midnight, the time-bearing sentences of every kind",
         nmeaLine("GPZDA,235959.50,19,10,2007,00,00") + nmeaLine("GNGNS,000000.00,2459.2057,N,12130.1234,E,AA,12,0.9,56.3,15.2,,") +
             nmeaLine("GPGLL,2459.2057,N,12130.1234,E,000001.00,A,A") + rmc("000001.00"),
         {"235959.500 GPZDA", "000000.000 GNGNS", "000001.000 GPGLL GPRMC"},
         {500, 1000}},
        {"missing times: one burst per GGA, a second apart",
         gga("120000.000") + rmc("120000.000") + gga("") + kGsa + gga("") + rmc("") + gga("120005.000") +
             rmc("120005.000"),
         {"120000.000 GPGGA GPRMC", "- GPGGA GPGSA", "- GPGGA GPRMC", "120005.000 GPGGA GPRMC"},
         {1000, 1000, 1000}},
        {"out of order and far apart: a second each, a minute kept",
         gga("120005.000") + gga("120003.000") + gga("120004.000") + gga("120204.000") + gga("120304.000"),
         {"120005.000 GPGGA", "120003.000 GPGGA", "120004.000 GPGGA", "120204.000 GPGGA", "120304.000 GPGGA"},
         {1000, 1000, 1000, 60000}},
        {"comment lines are left out",
         "# field test, roof antenna\r\n" + gga("120000.000") + "#second two\n" + rmc("120000.000") +
             gga("120001.000"),
         {"120000.000 GPGGA GPRMC", "120001.000 GPGGA"},
         {1000}},
        {"binary junk stays; a garbled time paces nothing",
         gga("120000.000") + std::string("\xA0\xA2\x00\x01OK\xB3$\xFF", 9) + "\r\n" +
             "$GPGGA,120007.000,2459.2057,N,12130.1234,E,1,08,1.0,56.3,M,15.2,M,,*00\r\n" + rmc("120000.000") +
             gga("120001.000"),
         {"120000.000 GPGGA \xFF\r\n$G GPGGA GPRMC", "120001.000 GPGGA"},
         {1000}},
        {"neither times nor GGA: a burst every 1000 bytes",
         repeated(kGsv, 2500),
         {"-" + repeated(" GPGSV", 33 * 6), "-" + repeated(" GPGSV", 32 * 6), "-" + repeated(" GPGSV", 16 * 6)},
         {1000, 1000}},
    };
}

TEST_F(RecordingFileTest, BurstsAndPausesAtTheRecordingsOwnPace)
{
    for (const PacingCase& c : pacingCases()) {
        SCOPED_TRACE(c.name);
        const std::string path = write("recording.nmea", c.recording);
        for (std::size_t chunk : {std::size_t{1}, std::size_t{7}, RecordingFile::kChunkBytes}) {
            SCOPED_TRACE(chunk);
            const Played played = play(path, chunk, 1);
            EXPECT_EQ(played.bursts, c.bursts);
            EXPECT_EQ(played.pausesMs, c.pausesMs);
            if (c.recording.find('#') == std::string::npos) {
                EXPECT_EQ(played.bytes, c.recording) << "a replay feeds the recording's bytes as they are";
            }
        }
    }
}

TEST_F(RecordingFileTest, CommentLinesAloneAreLeftOut)
{
    const Played played = play(write("c.nmea", "#a\r\n" + gga("120000.000") + "#b\n#\n" + rmc("120000.000")), 7, 1);
    EXPECT_EQ(played.bytes, gga("120000.000") + rmc("120000.000"));
}

TEST_F(RecordingFileTest, SpeedsDivideThePausesAndMaxHasNone)
{
    std::string recording;
    for (const char* time : {"120000.000", "120001.000", "120001.200", "120003.000"})
        recording += gga(time);
    const std::string path = write("speeds.nmea", recording);
    const std::pair<int, std::vector<std::int64_t>> cases[] = {
        {1, {1000, 200, 1800}}, {2, {500, 100, 900}}, {5, {200, 40, 360}},
        {10, {100, 20, 180}},   {60, {16, 3, 30}},     {kReplayMax, {0, 0, 0}},
    };
    for (const auto& [speed, pauses] : cases) {
        SCOPED_TRACE(replaySpeedText(speed));
        EXPECT_EQ(play(path, 64, speed).pausesMs, pauses);
    }
}

TEST_F(RecordingFileTest, SpeedTextsOfTheCommandLineAndTheWindow)
{
    EXPECT_EQ(replaySpeedOfText("60"), 60);
    EXPECT_EQ(replaySpeedOfText("max"), kReplayMax);
    for (const char* refused : {"", "3", "1x", "MAX", "0", "10.0"})
        EXPECT_FALSE(replaySpeedOfText(refused)) << refused;
    EXPECT_EQ(replaySpeedText(10), "10x");
    EXPECT_EQ(replaySpeedText(kReplayMax), "max");
}

TEST_F(RecordingFileTest, PauseHoldsAndStepGivesTheNextBurstAtOnce)
{
    ReplayPlayer player;
    ASSERT_TRUE(player.open(write("p.nmea", gga("120000.000") + gga("120010.000") + gga("120020.000")), 0));
    ASSERT_TRUE(player.takeDue(0));
    player.setPaused(true, 0);
    EXPECT_FALSE(player.takeDue(60000));
    EXPECT_FALSE(player.msUntilDue(60000));
    const auto stepped = player.takeNext(60000);
    ASSERT_TRUE(stepped);
    EXPECT_EQ(summary(*stepped), "120010.000 GPGGA");
    EXPECT_EQ(positionText(player.position()), "burst 2 of about 3, 12:00:10 UTC");
    player.setPaused(false, 70000);
    EXPECT_EQ(player.msUntilDue(70000), 10000) << "a resumed replay keeps the whole pause";
}

TEST_F(RecordingFileTest, SeekGoesOnFromTheNextSentenceAndEstimatesItsBurst)
{
    std::string recording;
    for (int second = 0; second < 100; ++second) {
        char time[16];
        std::snprintf(time, sizeof time, "12%02d%02d.000", 10 + second / 60, second % 60);
        recording += gga(time) + kGsa + rmc(time);
    }
    ReplayPlayer player(100);
    ASSERT_TRUE(player.open(write("seek.nmea", recording), 0));
    player.setSpeed(kReplayMax);
    ASSERT_TRUE(player.takeDue(0));
    EXPECT_EQ(positionText(player.position()), "burst 1 of about 100, 12:10:00 UTC");

    // Half way and a little lands inside the 51st burst: the replay goes on from the next
    // sentence's '$'.
    player.seek(0.505, 0);
    EXPECT_NEAR(player.position().burst, 50, 1);
    const auto burst = player.takeDue(0);
    ASSERT_TRUE(burst);
    EXPECT_TRUE(summary(*burst) == "121050.000 GPGSA GPRMC" || summary(*burst) == "121050.000 GPRMC")
        << summary(*burst);
    EXPECT_EQ(burst->bytes.front(), '$');
    const auto following = player.takeDue(0);
    ASSERT_TRUE(following);
    EXPECT_EQ(summary(*following), "121051.000 GPGGA GPGSA GPRMC");

    player.seek(1.0, 0);
    EXPECT_FALSE(player.takeDue(0));
    EXPECT_TRUE(player.finished());
    player.seek(0.0, 0);
    const auto first = player.takeDue(0);
    ASSERT_TRUE(first);
    EXPECT_EQ(summary(*first), "121000.000 GPGGA GPGSA GPRMC");
}

TEST_F(RecordingFileTest, RecordingsThatCannotBeReplayedSayWhichAndWhy)
{
    std::vector<std::pair<std::string, std::string>> cases = {
        {(dir_ / "missing.nmea").string(), "there is no such file."},
        {dir_.string(), "it is a folder, not a recording."},
        {write("empty.nmea", ""), "the file is empty."},
    };
#ifndef _WIN32
    const std::string unreadable = write("unreadable.nmea", gga("120000.000"));
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
}

#ifndef _WIN32 // Windows refuses to delete a file that is open
TEST_F(RecordingFileTest, ARecordingDeletedWhileReplayedEndsTheReplayWithAReason)
{
    const std::string path = write("deleted.nmea", gga("120000.000") + gga("120001.000") + gga("120002.000"));
    ReplayPlayer player;
    ASSERT_TRUE(player.open(path, 0));
    ASSERT_TRUE(player.takeDue(0));
    fs::remove(path);
    // The burst read ahead still comes; the next read finds the file gone.
    EXPECT_TRUE(player.takeNext(1000));
    EXPECT_FALSE(player.takeNext(2000));
    EXPECT_FALSE(player.finished());
    EXPECT_EQ(player.error(), "Cannot replay \"" + path + "\": the file was deleted while it was being replayed.");
}
#endif

} // namespace
} // namespace norvane
