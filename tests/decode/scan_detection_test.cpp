#include "decode/scan_detection.h"

#include <gtest/gtest.h>
#include <string>

namespace norvane {
namespace {

struct ScanRead {
    std::string bytes;
    bool seen;
    const char* why;
};

// One read of the auto-scan each; the count is the whole string, zero bytes included.
const ScanRead kReads[] = {
    {"", false, "nothing read"},
    {"$GPG", false, "four bytes are never enough"},
    {"$GPGG", true, "five bytes starting a sentence"},
    {"ab$Gx", true, "'$' on the third byte from the end"},
    {"abc$G", false, "'$' among the last two bytes"},
    {"xxxx$", false, "'$' as the last byte"},
    {"xx$gxxx", false, "a lower-case g"},
    {"xx$ GPxx", false, "anything between '$' and 'G'"},
    {"\xA4G$GPGGA", true, "line noise before the sentence"},
    {std::string("\0\0$G\0\0", 6), true, "zero bytes around it"},
    {"$$$$$$$$", false, "no 'G' at all"},
};

TEST(ReceiverSeen, NeedsDollarGStartingInsideAReadOfMoreThanFourBytes)
{
    for (const ScanRead& read : kReads) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(read.bytes.data());
        EXPECT_EQ(receiverSeen(bytes, static_cast<int>(read.bytes.size())), read.seen) << read.why;
    }
}

TEST(ReceiverSeen, LooksOnlyAtTheCountGiven)
{
    const std::string buffer = "xx$GPGGA";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(buffer.data());
    EXPECT_TRUE(receiverSeen(bytes, 5));
    EXPECT_FALSE(receiverSeen(bytes, 4));     // the same '$G', in a read too short to count
    EXPECT_FALSE(receiverSeen(bytes + 3, 5)); // from 'G' on, no '$' precedes one
}

} // namespace
} // namespace norvane
