#include "sim/command_frames.h"
#include "slave_port.h"

#include <gtest/gtest.h>

namespace norvane::sim {
namespace {

using testing::bytesOf;

// The frames the program sends, byte for byte.
const std::string kVexaCold = bytesOf({0xA0, 0xA1, 0x00, 0x0F, 0x01, 0x03, 0x07, 0xD7, 0x05, 0x1E, 0x0C,
                                       0x0B, 0x39, 0x09, 0x60, 0x2F, 0x44, 0x00, 0x64, 0x91, 0x0D, 0x0A});
const std::string kLumoCold = bytesOf({0x25, 0x25, 0xF1, 0x01, 0x01, 0x03, 0xD4, 0x07, 0x02, 0x0E, 0x00, 0x00,
                                       0x00, 0x00, 0x18, 0x00, 0x0D, 0x00, 0x00, 0x00, 0x38, 0x0D, 0x0A});
const std::string kLumoWarm = bytesOf({0x25, 0x25, 0xF1, 0x01, 0x01, 0x02, 0xD7, 0x07, 0x05, 0x17, 0x03, 0x22,
                                       0x2B, 0x00, 0x39, 0x13, 0xEA, 0xCF, 0x00, 0x00, 0x34, 0x0D, 0x0A});
const std::string kLumoHot = bytesOf({0x25, 0x25, 0xF1, 0x01, 0x00, 0x00, 0xD7, 0x07, 0x05, 0x17, 0x03, 0x33,
                                      0x11, 0x00, 0x39, 0x13, 0xEA, 0xCF, 0x00, 0x00, 0x1C, 0x0D, 0x0A});
const std::string kRevisionQuery = bytesOf({0x25, 0x25, 0xF1, 0x05, 0x01, 0x01, 0xF4, 0x0D, 0x0A});
const std::string kVexaQuery = bytesOf({0xA0, 0xA1, 0x00, 0x02, 0x02, 0x01, 0x03, 0x0D, 0x0A});

std::vector<Command> commandsIn(const std::string& bytes)
{
    CommandFrameReader reader;
    std::vector<Command> commands;
    for (unsigned char byte : bytes)
        if (auto command = reader.feed(byte))
            commands.push_back(*command);
    return commands;
}

// The warm and hot frames differ from the cold one in the mode byte and the checksum.
std::string vexaRestart(std::uint8_t mode, std::uint8_t checksum)
{
    std::string frame = kVexaCold;
    frame[5] = static_cast<char>(mode);
    frame[19] = static_cast<char>(checksum);
    return frame;
}

TEST(CommandFrames, VexaRestartFramesGiveTheirModes)
{
    auto commands = commandsIn(kVexaCold + vexaRestart(2, 0x90) + vexaRestart(1, 0x93));
    ASSERT_EQ(commands.size(), 3u);
    for (const auto& command : commands) {
        EXPECT_EQ(command.kind, CommandKind::Restart);
        EXPECT_EQ(command.family, FrameFamily::Vexa);
        EXPECT_EQ(command.messageId, 0x01);
    }
    EXPECT_EQ(commands[0].restart, RestartKind::Cold);
    EXPECT_EQ(commands[1].restart, RestartKind::Warm);
    EXPECT_EQ(commands[2].restart, RestartKind::Hot);
}

TEST(CommandFrames, FramesAreFoundAmongOtherBytesAndAfterStrayStartBytes)
{
    std::string noise = "$GPGGA,120000.000,,*00\r\n";
    noise += bytesOf({0xA0, 0xA0, 0x25, 0xA0});
    auto commands = commandsIn(noise + kVexaCold + "xx" + kVexaQuery);
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].kind, CommandKind::Restart);
    EXPECT_EQ(commands[1].kind, CommandKind::Query);
}

TEST(CommandFrames, BrokenVexaFramesAreRejected)
{
    std::string badChecksum = vexaRestart(3, 0x92);
    std::string badEnd = kVexaCold;
    badEnd[21] = 0x0B;
    std::string zeroLength = bytesOf({0xA0, 0xA1, 0x00, 0x00, 0x00, 0x0D, 0x0A});
    std::string hugeLength = bytesOf({0xA0, 0xA1, 0x7F, 0xFF});
    for (const std::string& frame : {badChecksum, badEnd, zeroLength, hugeLength}) {
        auto commands = commandsIn(frame);
        ASSERT_FALSE(commands.empty());
        EXPECT_EQ(commands[0].kind, CommandKind::Rejected);
    }
    // A sound frame right after a rejected one is still understood.
    auto commands = commandsIn(badChecksum + kVexaCold);
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[1].kind, CommandKind::Restart);
}

TEST(CommandFrames, VexaRestartWithUnknownModeOrOtherMessageIsNotARestart)
{
    auto commands = commandsIn(vexaRestart(4, 0x91 ^ 0x03 ^ 0x04) +
                               bytesOf({0xA0, 0xA1, 0x00, 0x01, 0x09, 0x09, 0x0D, 0x0A}));
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].kind, CommandKind::Unknown);
    EXPECT_EQ(commands[1].kind, CommandKind::Unknown);
    EXPECT_EQ(commands[1].messageId, 0x09);
}

TEST(CommandFrames, LumoRestartFramesAndRevisionQueryAreRecognised)
{
    auto commands = commandsIn(kLumoCold + kLumoWarm + kLumoHot + kRevisionQuery);
    ASSERT_EQ(commands.size(), 4u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(commands[i].kind, CommandKind::Restart);
        EXPECT_EQ(commands[i].family, FrameFamily::Lumo);
    }
    EXPECT_EQ(commands[0].restart, RestartKind::Cold);
    EXPECT_EQ(commands[1].restart, RestartKind::Warm);
    EXPECT_EQ(commands[2].restart, RestartKind::Hot);
    EXPECT_EQ(commands[3].kind, CommandKind::RevisionQuery);
}

TEST(CommandFrames, LumoFrameWithWrongChecksumIsRejected)
{
    std::string frame = kLumoWarm;
    frame[20] = 0x35;
    auto commands = commandsIn(frame + kLumoHot);
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].kind, CommandKind::Rejected);
    EXPECT_EQ(commands[1].restart, RestartKind::Hot);
}

TEST(CommandFrames, AcknowledgementAndRefusalBytes)
{
    EXPECT_EQ(vexaAcknowledgement(0x01), bytesOf({0xA0, 0xA1, 0x00, 0x02, 0x83, 0x01, 0x82, 0x0D, 0x0A}));
    EXPECT_EQ(vexaAcknowledgement(0x02), bytesOf({0xA0, 0xA1, 0x00, 0x02, 0x83, 0x02, 0x81, 0x0D, 0x0A}));
    EXPECT_EQ(vexaRefusal(0x09), bytesOf({0xA0, 0xA1, 0x00, 0x02, 0x84, 0x09, 0x8D, 0x0D, 0x0A}));
}

} // namespace
} // namespace norvane::sim
