#include "sim/command_frames.h"
#include "slave_port.h"

#include <cstdio>
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

// The commands read from the bytes, each as "restart Vexa cold 01" (family, kind and message ID),
// "query", "revision query", "unknown 09" (message ID) or "rejected".
std::string commandsIn(const std::string& bytes)
{
    CommandFrameReader reader;
    std::string commands;
    for (unsigned char byte : bytes) {
        const auto command = reader.feed(byte);
        if (!command)
            continue;
        const char* const kinds[] = {"restart", "query", "revision query", "unknown", "rejected"};
        const char* const restarts[] = {"hot", "warm", "cold"};
        commands += (commands.empty() ? "" : ", ") + std::string(kinds[static_cast<int>(command->kind)]);
        if (command->kind == CommandKind::Restart)
            commands += std::string(command->family == FrameFamily::Vexa ? " Vexa " : " Lumo ") +
                        restarts[static_cast<int>(command->restart)];
        char id[4];
        std::snprintf(id, sizeof id, " %02X", command->messageId);
        if (command->kind == CommandKind::Restart || command->kind == CommandKind::Unknown)
            commands += id;
    }
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

TEST(CommandFrames, FramesAmongTheBytesGiveTheirCommands)
{
    std::string badEnd = kVexaCold;
    badEnd[21] = 0x0B;
    std::string lumoBadChecksum = kLumoWarm;
    lumoBadChecksum[20] = 0x35;
    const struct {
        const char* name;
        std::string bytes;
        const char* commands;
    } cases[] = {
        {"Vexa restarts", kVexaCold + vexaRestart(2, 0x90) + vexaRestart(1, 0x93),
         "restart Vexa cold 01, restart Vexa warm 01, restart Vexa hot 01"},
        {"among other bytes and after stray start bytes",
         "$GPGGA,120000.000,,*00\r\n" + bytesOf({0xA0, 0xA0, 0x25, 0xA0}) + kVexaCold + "xx" + kVexaQuery,
         "restart Vexa cold 01, query"},
        {"Vexa, bad checksum", vexaRestart(3, 0x92), "rejected"},
        {"Vexa, bad end", badEnd, "rejected"},
        {"Vexa, zero length", bytesOf({0xA0, 0xA1, 0x00, 0x00, 0x00, 0x0D, 0x0A}), "rejected"},
        {"Vexa, huge length", bytesOf({0xA0, 0xA1, 0x7F, 0xFF}), "rejected"},
        {"a sound frame right after a rejected one", vexaRestart(3, 0x92) + kVexaCold,
         "rejected, restart Vexa cold 01"},
        {"Vexa restart of unknown mode, unknown message",
         vexaRestart(4, 0x91 ^ 0x03 ^ 0x04) + bytesOf({0xA0, 0xA1, 0x00, 0x01, 0x09, 0x09, 0x0D, 0x0A}),
         "unknown 01, unknown 09"},
        {"Lumo restarts and revision query", kLumoCold + kLumoWarm + kLumoHot + kRevisionQuery,
         "restart Lumo cold 01, restart Lumo warm 01, restart Lumo hot 01, revision query"},
        {"Lumo, wrong checksum", lumoBadChecksum + kLumoHot, "rejected, restart Lumo hot 01"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(commandsIn(c.bytes), c.commands) << c.name;
}

TEST(CommandFrames, AcknowledgementAndRefusalBytes)
{
    EXPECT_EQ(vexaAcknowledgement(0x01), bytesOf({0xA0, 0xA1, 0x00, 0x02, 0x83, 0x01, 0x82, 0x0D, 0x0A}));
    EXPECT_EQ(vexaAcknowledgement(0x02), bytesOf({0xA0, 0xA1, 0x00, 0x02, 0x83, 0x02, 0x81, 0x0D, 0x0A}));
    EXPECT_EQ(vexaRefusal(0x09), bytesOf({0xA0, 0xA1, 0x00, 0x02, 0x84, 0x09, 0x8D, 0x0D, 0x0A}));
}

} // namespace
} // namespace norvane::sim
