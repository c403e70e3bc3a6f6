// The simulator on a real pseudo-terminal, seen from the program's side of the line.
#include "sentence_text.h"
#include "sim/command_frames.h"
#include "sim/identification.h"
#include "sim/nmea_sentence.h"
#include "sim/simulator.h"
#include "slave_port.h"

#include <chrono>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace norvane::sim {
namespace {

using namespace std::chrono_literals;
using testing::bytesOf;
using testing::contains;
using testing::containsDollarG;
using testing::eventually;
using testing::fieldsOf;
using testing::hasValidChecksum;
using testing::SlavePort;
using testing::typeOf;

const std::string kVexaCold = bytesOf({0xA0, 0xA1, 0x00, 0x0F, 0x01, 0x03, 0x07, 0xD7, 0x05, 0x1E, 0x0C,
                                       0x0B, 0x39, 0x09, 0x60, 0x2F, 0x44, 0x00, 0x64, 0x91, 0x0D, 0x0A});
const std::string kLumoCold = bytesOf({0x25, 0x25, 0xF1, 0x01, 0x01, 0x03, 0xD4, 0x07, 0x02, 0x0E, 0x00, 0x00,
                                       0x00, 0x00, 0x18, 0x00, 0x0D, 0x00, 0x00, 0x00, 0x38, 0x0D, 0x0A});
const std::string kRevisionQuery = bytesOf({0x25, 0x25, 0xF1, 0x05, 0x01, 0x01, 0xF4, 0x0D, 0x0A});
const std::string kAckHead = bytesOf({0xA0, 0xA1, 0x00, 0x02, 0x83});

std::function<bool(const std::string&)> ggaCount(int wanted)
{
    return [wanted](const std::string& read) {
        int count = 0;
        for (auto at = read.find("GGA,"); at != std::string::npos; at = read.find("GGA,", at + 1))
            ++count;
        return count >= wanted;
    };
}

// Seconds from one hhmmss.sss time of day to the next, across minutes, hours and midnight.
int secondsBetween(const std::string& earlier, const std::string& later)
{
    auto secondOfDay = [](const std::string& time) {
        return std::stoi(time.substr(0, 2)) * 3600 + std::stoi(time.substr(2, 2)) * 60 +
               std::stoi(time.substr(4, 2));
    };
    return ((secondOfDay(later) - secondOfDay(earlier)) % 86400 + 86400) % 86400;
}

// The GSA fix modes in the order they were read.
std::string fixModesIn(const std::string& stream)
{
    std::string modes;
    for (const auto& sentence : testing::sentencesIn(stream))
        if (typeOf(sentence) == "GSA")
            modes += fieldsOf(sentence)[1];
    return modes;
}

// A simulator started with `options` and the program's side of its line, set to `rate`.
struct Line {
    Simulator simulator;
    std::unique_ptr<SlavePort> port;

    explicit Line(SimulatorOptions options, int rate = 9600) : simulator(std::move(options))
    {
        if (!simulator.start())
            throw std::runtime_error(simulator.lastError());
        port = std::make_unique<SlavePort>(simulator.devicePath());
        if (!port->isOpen() || !switchTo(rate))
            throw std::runtime_error("cannot set up " + simulator.devicePath());
    }

    // Sets the rate and waits until the simulator has seen it; what was sent before is dropped.
    bool switchTo(int rate)
    {
        if (!port->setRate(rate))
            return false;
        bool seen = eventually([&] { return simulator.lineRate() == rate; });
        port->discardInput();
        return seen;
    }

    // Reads while the simulator sends `bursts` more bursts.
    std::string readBursts(int bursts)
    {
        int until = simulator.counters().burstsSent + bursts;
        return port->readUntil([&](const std::string&) { return simulator.counters().burstsSent >= until; });
    }
};

SimulatorOptions fast()
{
    SimulatorOptions options;
    options.speed = 10;
    options.coldSeconds = 3;
    options.warmSeconds = 2;
    options.hotSeconds = 1;
    return options;
}

TEST(SimulatorLine, RateSetOnTheSlaveIsSeenThroughTheMasterAndDecidesWhatArrives)
{
    Line line(fast(), 9600);
    EXPECT_EQ(line.simulator.lineRate(), 9600);
    EXPECT_TRUE(containsDollarG(line.port->readUntil(contains("$G"))));

    ASSERT_TRUE(line.switchTo(4800));
    EXPECT_EQ(line.simulator.lineRate(), 4800);
    std::string noise = line.readBursts(3);
    EXPECT_GT(noise.size(), 200u);
    EXPECT_FALSE(containsDollarG(noise));

    ASSERT_TRUE(line.switchTo(115200));
    EXPECT_FALSE(containsDollarG(line.readBursts(2)));
    ASSERT_TRUE(line.switchTo(9600));
    EXPECT_TRUE(containsDollarG(line.port->readUntil(contains("$G"))));
}

TEST(SimulatorLine, StreamHoldsValidSentencesASecondApart)
{
    SimulatorOptions options = fast();
    options.pacing = false;
    options.talker = "GN";
    // The banners printed as the line comes to the receiver's rate may still be on their way
    // when the fixture discards what came before; this stream is the sentences alone.
    options.banners = false;
    Line line(options);
    auto sentences = testing::sentencesIn(line.port->readUntil(ggaCount(6)));
    std::vector<std::string> times;
    for (const auto& sentence : sentences) {
        EXPECT_TRUE(hasValidChecksum(sentence)) << sentence;
        EXPECT_EQ(sentence.substr(0, 3), "$GN");
        if (typeOf(sentence) == "GGA")
            times.push_back(fieldsOf(sentence)[0]);
    }
    ASSERT_GE(times.size(), 5u);
    for (std::size_t i = 1; i < times.size(); ++i)
        EXPECT_EQ(secondsBetween(times[i - 1], times[i]), 1) << times[i - 1] << " " << times[i];
}

TEST(SimulatorLine, BannersComeFirstWhenTheLineIsAtTheRateFromTheStart)
{
    // A fresh pseudo-terminal runs at 38400, so a receiver at that rate is heard from power-on.
    SimulatorOptions options = fast();
    options.rate = 38400;
    options.datedVersionLine = true;
    Simulator simulator(options);
    ASSERT_TRUE(simulator.start());
    SlavePort port(simulator.devicePath());
    std::string start = port.readUntil(contains("GGA,"));
    auto banners = bannerLines(true);
    std::size_t at = 0;
    for (const auto& banner : banners) {
        at = start.find(banner, at);
        EXPECT_NE(at, std::string::npos) << banner;
    }
    EXPECT_LT(at, start.find("GGA,"));
}

TEST(SimulatorLine, BannersComeAgainWhenTheProgramConnectsAtTheRate)
{
    // At the default 9600 the power-on banners are lost as noise; connecting at the rate, and
    // connecting again after a spell at another rate, each bring them.
    Simulator simulator(fast());
    ASSERT_TRUE(simulator.start());
    SlavePort port(simulator.devicePath());
    const std::string name = bannerLines(false).front();
    for (int rate : {9600, 4800, 9600}) {
        ASSERT_TRUE(port.setRate(rate));
        ASSERT_TRUE(eventually([&] { return simulator.lineRate() == rate; }));
        std::string heard = port.readUntil(rate == 9600 ? contains(name) : contains("never"), 1500ms);
        EXPECT_EQ(heard.find(name) != std::string::npos, rate == 9600) << rate;
    }
}

TEST(SimulatorLine, PacingKeepsBothDirectionsToTenBitTimesPerByte)
{
    SimulatorOptions options;
    options.speed = 2;
    Line line(options);
    line.readBursts(2);
    SimulatorCounters sent = line.simulator.counters();
    double bytesPerSecond = 9600 / 10.0;
    double slack = 0.02 * options.speed * bytesPerSecond + 2;
    EXPECT_GT(sent.bytesSent, 0u);
    EXPECT_LE(static_cast<double>(sent.bytesSent), sent.simSeconds * bytesPerSecond + slack);

    SimulatorCounters before = line.simulator.counters();
    ASSERT_TRUE(line.port->write(std::string(1500, 'x')));
    SimulatorCounters soon = line.simulator.counters();
    double taken = static_cast<double>(soon.bytesTaken - before.bytesTaken);
    EXPECT_LE(taken, (soon.simSeconds - before.simSeconds) * bytesPerSecond + slack);
    EXPECT_TRUE(eventually([&] {
        SimulatorCounters now = line.simulator.counters();
        EXPECT_LE(static_cast<double>(now.bytesTaken - before.bytesTaken),
                  (now.simSeconds - before.simSeconds) * bytesPerSecond + slack);
        return now.bytesTaken - before.bytesTaken == 1500;
    }));
}

TEST(SimulatorLine, VexaRestartIsAcknowledgedThenTheFixIsLostAndComesBack)
{
    Line line(fast());
    line.port->readUntil(contains("GGA,"));
    ASSERT_TRUE(line.port->write(kVexaCold));
    std::string after = line.port->readUntil([](const std::string& read) {
        std::string modes = fixModesIn(read);
        return modes.find("13") != std::string::npos || modes.find("123") != std::string::npos;
    });
    auto ack = after.find(kAckHead);
    ASSERT_NE(ack, std::string::npos);
    EXPECT_EQ(after.substr(ack, 9), vexaAcknowledgement(0x01));
    // Between sentences, never inside one.
    if (ack > 0) {
        EXPECT_EQ(after.substr(ack - 2, 2), "\r\n");
    }
    std::string rebooted = after.substr(ack + 9);
    EXPECT_EQ(rebooted.find("$" + std::string(kReceiverName)), 0u);
    std::string modes = fixModesIn(rebooted);
    EXPECT_EQ(modes.front(), '1');
    EXPECT_NE(modes.find("123"), std::string::npos) << modes;
    EXPECT_EQ(line.simulator.restartsSeen(), 1);
    for (const auto& sentence : testing::sentencesIn(rebooted))
        if (typeOf(sentence) == "GGA" && fieldsOf(sentence)[5] == "0") {
            EXPECT_EQ(fieldsOf(sentence)[1], "");
        }
}

// A broken frame, frames to a receiver that answers none, and a frame at the wrong rate: each is
// taken off the line and left without answer, and the fix goes on.
TEST(SimulatorLine, FramesThatRestartNothing)
{
    std::string badChecksum = kVexaCold;
    badChecksum[19] = 0x92;
    const struct {
        const char* name;
        bool answerFrames;
        int rate;
        std::string frames;
        int rejected; // -1: however many
    } cases[] = {
        {"a broken frame", true, 9600, badChecksum, 1},
        {"a receiver that answers no frames", false, 9600, kVexaCold + kLumoCold + kRevisionQuery, 0},
        {"a frame at the wrong rate", true, 19200, kVexaCold, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SimulatorOptions options = fast();
        options.answerFrames = c.answerFrames;
        Line line(options, c.rate);
        ASSERT_TRUE(line.port->write(c.frames));
        ASSERT_TRUE(eventually([&] {
            const SimulatorCounters now = line.simulator.counters();
            return now.bytesTaken >= c.frames.size() && (c.rejected < 0 || now.framesRejected == c.rejected);
        }));
        ASSERT_TRUE(line.switchTo(9600));
        std::string after = line.readBursts(3);
        EXPECT_EQ(after.find(kAckHead), std::string::npos);
        EXPECT_EQ(after.find("%%"), std::string::npos);
        EXPECT_EQ(fixModesIn(after).find_first_not_of('3'), std::string::npos);
        EXPECT_EQ(line.simulator.restartsSeen(), 0);
    }
}

TEST(SimulatorLine, LumoRestartWithoutAcknowledgementAndRevisionReplyBetweenSentences)
{
    Line line(fast());
    line.port->readUntil(contains("GGA,"));
    ASSERT_TRUE(line.port->write(kRevisionQuery));
    std::string replied = line.port->readUntil([](const std::string& read) {
        auto at = read.find("%%");
        return at != std::string::npos && read.find('$', at) != std::string::npos;
    });
    auto at = replied.find("%%");
    ASSERT_NE(at, std::string::npos);
    ASSERT_GE(at, 2u);
    EXPECT_EQ(replied.substr(at - 2, 2), "\r\n");
    EXPECT_EQ(replied.substr(at, replied.find('$', at) - at), versionReply());

    ASSERT_TRUE(line.port->write(kLumoCold));
    std::string after = line.port->readUntil(
        [](const std::string& read) { return fixModesIn(read).find("123") != std::string::npos; });
    EXPECT_EQ(after.find(kAckHead), std::string::npos);
    EXPECT_EQ(line.simulator.restartsSeen(), 1);
    EXPECT_NE(after.find("$" + std::string(kReceiverName)), std::string::npos);
}

TEST(SimulatorLine, UnplugHangsUpTheProgramsSideAndStopReturns)
{
    Line line(fast());
    line.port->readUntil(contains("$G"));
    line.simulator.unplug();
    pollfd p{line.port->fd(), POLLIN, 0};
    ASSERT_EQ(poll(&p, 1, 5000), 1);
    EXPECT_TRUE(p.revents & (POLLHUP | POLLERR));
    std::string rest;
    long n = 0;
    // Whatever was still queued drains, then the device reports its end.
    while ((n = line.port->readNow(rest)) > 0) {
    }
    char byte;
    EXPECT_LE(read(line.port->fd(), &byte, 1), 0);
    line.simulator.stop();
}

TEST(SimulatorLine, AFullLineNobodyReadsNeverStallsTheReceiver)
{
    // One enormous burst a second: the pseudo-terminal fills at once and stays full.
    std::string path = ::testing::TempDir() + "simulator_full_line_" + std::to_string(getpid()) + ".txt";
    {
        std::ofstream log(path);
        log << nmeaSentence("GPGGA,120000.000,,,,,0,00,,,M,,M,,");
        for (int i = 0; i < 4000; ++i)
            log << "$GPGSV,3,1,11,02,04,014,,05,12,038,30,07,27,069,34,10,44,108,37*70\r\n";
    }
    SimulatorOptions options;
    options.replayFile = path;
    options.pacing = false;
    options.speed = 20;
    Simulator simulator(options);
    ASSERT_TRUE(simulator.start());
    SlavePort port(simulator.devicePath());
    EXPECT_TRUE(eventually([&] { return simulator.counters().burstsSent >= 5; }));
    simulator.stop();
    std::remove(path.c_str());
}

TEST(SimulatorLine, LinkNamesTheDeviceUntilStopAndNeverReplacesAFile)
{
    std::string link = ::testing::TempDir() + "norvane-sim-link-" + std::to_string(getpid());
    std::remove(link.c_str());
    SimulatorOptions options;
    options.linkPath = link;
    {
        Simulator simulator(options);
        ASSERT_TRUE(simulator.start()) << simulator.lastError();
        char target[256] = {};
        ASSERT_GT(readlink(link.c_str(), target, sizeof target - 1), 0);
        EXPECT_EQ(std::string(target), simulator.devicePath());
        simulator.stop();
        EXPECT_EQ(access(link.c_str(), F_OK), -1);
    }
    std::ofstream(link) << "not a device";
    Simulator refused(options);
    EXPECT_FALSE(refused.start());
    EXPECT_NE(refused.lastError().find(link), std::string::npos);
    std::remove(link.c_str());
}

TEST(SimulatorLine, UnusableOptionsAreRefusedAtStart)
{
    SimulatorOptions badTime;
    badTime.startTime = "yesterday";
    SimulatorOptions missingLog;
    missingLog.replayFile = "/nonexistent/log.txt";
    for (const auto& options : {badTime, missingLog}) {
        Simulator simulator(options);
        EXPECT_FALSE(simulator.start());
        EXPECT_NE(simulator.lastError(), "");
    }
}

} // namespace
} // namespace norvane::sim
