// The engine stepped by hand on a real pseudo-terminal, at chosen times, to see what a late wake
// of the simulator's thread sends.
#include "sentence_text.h"
#include "sim/nmea_sentence.h"
#include "sim/simulator_engine.h"
#include "slave_port.h"

#include <gtest/gtest.h>

namespace norvane::sim {
namespace {

using testing::fieldsOf;
using testing::SlavePort;
using testing::typeOf;

class SimulatorEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(line.open(error)) << error;
        port = std::make_unique<SlavePort>(line.slavePath());
        ASSERT_TRUE(port->isOpen());
        ASSERT_TRUE(port->setRate(9600));
        options.pacing = false;
        options.banners = false;
        engine.emplace(options, ReceiverModel(options, UtcTime{}, std::nullopt), line);
        engine->powerOn(0.0);
    }

    // The GGA times the engine sends when stepped at `now`.
    std::vector<std::string> ggaTimesAt(double now)
    {
        engine->step(now);
        std::string read;
        while (port->readNow(read) > 0) {
        }
        std::vector<std::string> times;
        for (const auto& sentence : testing::sentencesIn(read))
            if (typeOf(sentence) == "GGA")
                times.push_back(fieldsOf(sentence)[0]);
        return times;
    }

    SimulatorOptions options;
    PseudoTerminal line;
    std::unique_ptr<SlavePort> port;
    std::optional<SimulatorEngine> engine;
};

TEST_F(SimulatorEngineTest, ALateWakeSendsEverySecondItSleptThroughInOrder)
{
    EXPECT_EQ(ggaTimesAt(0.2), (std::vector<std::string>{"120000.000"}));
    EXPECT_TRUE(ggaTimesAt(0.9).empty());
    EXPECT_EQ(ggaTimesAt(3.5), (std::vector<std::string>{"120001.000", "120002.000", "120003.000"}));
    EXPECT_EQ(ggaTimesAt(4.0), (std::vector<std::string>{"120004.000"}));
}

TEST_F(SimulatorEngineTest, AStallOfManySecondsSendsOnlyTheLastFewAndGoesOnFromThere)
{
    ggaTimesAt(0.0);
    EXPECT_EQ(ggaTimesAt(100.5), (std::vector<std::string>{"120136.000", "120137.000", "120138.000",
                                                           "120139.000", "120140.000"}));
    EXPECT_EQ(ggaTimesAt(101.0), (std::vector<std::string>{"120141.000"}));
}

TEST_F(SimulatorEngineTest, AFiveHertzRecordingIsSentFiveTimesASecond)
{
    std::string recording;
    for (const char* time : {"120000.00", "120000.20", "120000.40", "120000.60", "120000.80", "120001.00"})
        recording +=
            nmeaSentence(std::string("GPGGA,") + time + ",2459.2057,N,12130.1234,E,1,08,1.0,56.3,M,15.2,M,,");
    ReplaySource replay;
    ASSERT_TRUE(replay.loadText(recording));
    engine.emplace(options, ReceiverModel(options, UtcTime{}, replay), line);
    engine->powerOn(10.0);
    EXPECT_EQ(ggaTimesAt(10.0), (std::vector<std::string>{"120000.00"}));
    EXPECT_TRUE(ggaTimesAt(10.15).empty());
    EXPECT_EQ(ggaTimesAt(10.2), (std::vector<std::string>{"120000.20"}));
    EXPECT_EQ(ggaTimesAt(10.65), (std::vector<std::string>{"120000.40", "120000.60"}));
    EXPECT_EQ(ggaTimesAt(11.0), (std::vector<std::string>{"120000.80", "120001.00"}));
}

} // namespace
} // namespace norvane::sim
