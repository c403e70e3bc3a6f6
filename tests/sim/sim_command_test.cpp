// The norvane-sim command as a user runs it.
#include "norvane_version.h"
#include "sentence_text.h"
#include "slave_port.h"
#include "support/sim_process.h"

#include <gtest/gtest.h>
#include <poll.h>

namespace norvane::sim {
namespace {

TEST(SimCommand, PrintsTheDeviceServesSentencesAndEndsCleanlyOnSigterm)
{
    test::SimProcess process({"--talker", "GN", "--speed", "5", "--lat", "3352.1234S", "--lon", "15112.5W"});
    ASSERT_TRUE(process.start()) << test::SimProcess::executable();
    std::string device = process.devicePath();
    EXPECT_EQ(device.rfind("/dev/", 0), 0u) << device;
    testing::SlavePort port(device);
    {
        ASSERT_TRUE(port.setRate(9600));
        std::string read = port.readUntil([](const std::string& r) {
            return r.find("RMC,") != std::string::npos && r.find("\r\n", r.find("RMC,")) != std::string::npos;
        });
        bool sawRmc = false;
        for (const auto& sentence : testing::sentencesIn(read)) {
            if (testing::typeOf(sentence) != "RMC")
                continue;
            sawRmc = true;
            auto fields = testing::fieldsOf(sentence);
            EXPECT_EQ(sentence.substr(0, 3), "$GN");
            EXPECT_EQ(fields[2] + fields[3] + fields[4] + fields[5], "3352.1234S15112.5000W");
        }
        EXPECT_TRUE(sawRmc);
    }
    EXPECT_EQ(process.terminate(), 0);
    // The device went with the command: the line hangs up.
    pollfd hangup{port.fd(), POLLIN, 0};
    port.discardInput();
    ASSERT_EQ(poll(&hangup, 1, 5000), 1);
    EXPECT_TRUE(hangup.revents & POLLHUP);
}

TEST(SimCommand, HelpVersionAndBadOptions)
{
    test::CommandResult help = test::runSimCommand({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("--no-ack"), std::string::npos);
    test::CommandResult version = test::runSimCommand({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.output, std::string("norvane-sim ") + kVersion + "\n");
    test::CommandResult bad = test::runSimCommand({"--rate", "fast"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_EQ(bad.output, "");
}

} // namespace
} // namespace norvane::sim
