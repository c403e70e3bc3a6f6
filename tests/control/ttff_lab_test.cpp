// One cycle of the TTFF lab fed with receiver sentences through the receive loop's core, on a
// fake clock: when a fix counts, what a cycle whose fix never dropped or never came back gives,
// and the CSV it leaves.

#include "control/ttff_lab.h"
#include "decode/receive_loop.h"
#include "support/fake_clock.h"
#include "support/fake_port_backend.h"
#include "support/nmea_sentence.h"
#include "support/recording_sink.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace norvane {
namespace {

// One epoch as a receiver sends it, GGA before GSA, for no fix ('1'), 2D ('2') or 3D ('3').
std::string epoch(char mode)
{
    const bool fix = mode != '1';
    std::string text =
        test::nmeaLine(fix ? "GPGGA,120000.000,2459.2057,S,12130.1234,W,1,08,1.1,56.3,M,15.2,M,,"
                           : "GPGGA,120000.000,,,,,0,00,,,M,,M,,");
    text += test::nmeaLine(std::string("GPGSA,A,") + mode + ",02,05,07,,,,,,,,,,2.0,1.1,1.5");
    text += test::nmeaLine(fix ? "GPRMC,120000.000,A,2459.2057,S,12130.1234,W,0.00,0.00,191007,,,A"
                               : "GPRMC,120000.000,V,,,,,,,191007,,,N");
    return text;
}

class LabSink : public test::RecordingSink {
public:
    LabSink(Receiver& receiver, TtffLab& lab) : receiver_(receiver), lab_(lab) {}
    void sentenceDecoded(const std::string& type, const std::string&) override
    {
        lab_.sentenceDecoded(type, receiver_.state);
    }

private:
    Receiver& receiver_;
    TtffLab& lab_;
};

class TtffLabTest : public ::testing::Test, public TtffLabListener {
protected:
    void SetUp() override
    {
        directory_ = std::filesystem::temp_directory_path() /
                     ("ttff-lab-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(directory_);
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(directory_);
        lab.setListener(this);
        lab.setLimitSeconds(RestartKind::Hot, 60);
    }
    // The file is closed first: an open file cannot be removed on every system.
    void TearDown() override
    {
        lab.endRun();
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(directory_, ignored);
    }

    void cycleFinished(const TtffRecord& record) override { finished.push_back(record); }
    void csvFailed(const std::string& message) override { csvProblems.push_back(message); }

    // The receiver's output for `seconds` seconds, one epoch a second, the clock moving on.
    void send(char mode, int seconds = 1)
    {
        for (int i = 0; i < seconds; ++i) {
            const std::string text = epoch(mode) + "$"; // the next '$' closes the last sentence
            loop.processBytes(reinterpret_cast<const std::uint8_t*>(text.data()),
                              static_cast<int>(text.size()));
            receiver.sentenceText.clear();
            clock.advance(1000);
            lab.poll();
        }
    }

    void restartNow() { lab.restartWritten(RestartKind::Hot, clock.nowMs()); }

    std::vector<std::string> csvLines() const
    {
        std::ifstream file(lab.csvPath());
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);)
            lines.push_back(line);
        return lines;
    }

    FakeClock clock{100000};
    ClockOverride useClock{clock};
    TtffLab lab{[] { return std::int64_t{1796798580000}; }}; // 2026-12-09 06:43:00 UTC
    FakeSerialLink fake;
    ReceiveBuffer buffer{};
    Receiver receiver;
    LabSink sink{receiver, lab};
    ReceiveLoop loop{fake.link, receiver, buffer, sink};
    std::vector<TtffRecord> finished;
    std::vector<std::string> csvProblems;

private:
    std::filesystem::path directory_;
    std::filesystem::path previous_;
};

// The old fix still comes once after the command; it must not count. The fix is timed by the
// sentence that brings it: the old fix, 4 s of searching, 1 s 2D, then the 3D epoch.
TEST_F(TtffLabTest, FixCountsOnlyAfterTheLossAndIsTimedByItsSentence)
{
    std::string error;
    ASSERT_TRUE(lab.startRun(error)) << error;
    send('3');
    restartNow();
    send('3');
    send('1', 4);
    send('2');
    ASSERT_TRUE(finished.empty());
    send('3');

    ASSERT_EQ(finished.size(), 1u);
    const TtffRecord& r = finished[0];
    EXPECT_EQ(r.cycle, 1);
    EXPECT_EQ(r.ttffTenths, 60); // sentences of the 3D epoch decoded 6.0 s after the command
    EXPECT_TRUE(r.fixLost);
    EXPECT_EQ(r.satsUsed, 8);
    EXPECT_DOUBLE_EQ(r.hdop, 1.1);
    EXPECT_NEAR(r.latitude, -24.986762, 1e-6);
    EXPECT_NEAR(r.longitude, -121.502057, 1e-6);
    EXPECT_EQ(csvLines(),
              (std::vector<std::string>{
                  "cycle,start,command_utc,ttff_s,fix_lost,result,sats_used,hdop,latitude,longitude",
                  "1,hot,2026-12-09T06:43:00.000Z,6.0,1,ok,8,1.10,-24.986762,-121.502057"}));
    EXPECT_TRUE(std::filesystem::path(lab.csvPath()).filename().string().starts_with("norvane-ttff-"));
}

TEST_F(TtffLabTest, FixThatNeverDropsIsFlaggedAndTimesOutAtTheLimit)
{
    std::string error;
    ASSERT_TRUE(lab.startRun(error)) << error;
    restartNow();
    send('3', 60);
    EXPECT_TRUE(finished.empty()) << "ended before its limit";
    send('3');
    ASSERT_EQ(finished.size(), 1u);
    EXPECT_FALSE(finished[0].ok());
    EXPECT_FALSE(finished[0].fixLost);
    EXPECT_EQ(csvLines().back(), "1,hot,2026-12-09T06:43:00.000Z,,0,timeout,,,,");
}

TEST_F(TtffLabTest, ReceiverThatNeverRegainsItsFixTimesOutAtTheLimit)
{
    std::string error;
    ASSERT_TRUE(lab.startRun(error)) << error;
    lab.setLimitSeconds(RestartKind::Hot, 10);
    restartNow();
    send('1', 10);
    EXPECT_TRUE(finished.empty());
    send('2');
    ASSERT_EQ(finished.size(), 1u);
    EXPECT_FALSE(finished[0].ok());
    EXPECT_TRUE(finished[0].fixLost);
    // The next cycle numbers on; a fix after a restart counts for it alone.
    restartNow();
    send('1');
    send('3');
    ASSERT_EQ(finished.size(), 2u);
    EXPECT_EQ(finished[1].cycle, 2);
    EXPECT_EQ(finished[1].ttffTenths, 10);
    EXPECT_EQ(lab.summary(RestartKind::Hot).failures, 1);
}

// A receiver that sends GSA before GGA: the TTFF is the GSA's, the position the next GGA's.
TEST_F(TtffLabTest, PositionOfAFixWhoseGgaFollowsItsGsa)
{
    restartNow();
    send('1');
    clock.advance(500);
    const std::string gsaFirst =
        test::nmeaLine("GPGSA,A,3,02,05,07,,,,,,,,,,2.0,1.1,1.5") +
        test::nmeaLine("GPGGA,120001.000,4807.0380,N,01131.0000,E,1,05,0.9,5.0,M,,M,,") + "$";
    loop.processBytes(reinterpret_cast<const std::uint8_t*>(gsaFirst.data()),
                      static_cast<int>(gsaFirst.size()));
    ASSERT_EQ(finished.size(), 1u);
    EXPECT_EQ(finished[0].ttffTenths, 15);
    EXPECT_EQ(finished[0].satsUsed, 5);
    EXPECT_NEAR(finished[0].latitude, 48.1173, 1e-6);
    EXPECT_NEAR(finished[0].longitude, 11.516667, 1e-6);
}

TEST_F(TtffLabTest, RunThatMeasuredNothingLeavesNoFileAndAFailedFileIsReported)
{
    std::string error;
    ASSERT_TRUE(lab.startRun(error)) << error;
    const std::string path = lab.csvPath();
    EXPECT_TRUE(std::filesystem::exists(path));
    lab.endRun();
    EXPECT_FALSE(std::filesystem::exists(path));

    std::filesystem::create_directory("taken");
    EXPECT_FALSE(lab.startRun(error, "taken"));
    EXPECT_NE(error.find("cannot create taken"), std::string::npos) << error;
    lab.endRun();
    EXPECT_TRUE(std::filesystem::is_directory("taken")) << "a path the run did not create stays";
}

} // namespace
} // namespace norvane
