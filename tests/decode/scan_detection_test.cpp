#include "decode/scan_detection.h"
#include "decode/scan_listening.h"
#include "support/fake_clock.h"
#include "support/fake_port_backend.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

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

struct Hearing {
    std::string bytes;
    ScanHearing judged;
    const char* why;
};

const Hearing kHearings[] = {
    {"", ScanHearing::CouldBeOne, "nothing at all: a receiver between bursts"},
    {"\r\n$GPGGA,1", ScanHearing::Receiver, "a sentence"},
    {"$SkyWren,GPS receiver module\r\n$Kernel: 1.2", ScanHearing::CouldBeOne, "identification lines"},
    {"1234,E,1,08,1.0*3F\r\n", ScanHearing::CouldBeOne, "the tail of a sentence"},
    {"$G", ScanHearing::CouldBeOne, "a sentence's first bytes, too few to count"},
    {"\xA4\x13$Kernel", ScanHearing::CouldBeOne, "a byte cut by the rate switch, then text"},
    {"$Kern\x91\x02l", ScanHearing::Garbage, "not text after the '$'"},
    {"\x8F\x13\xA4\xE7\x55\x3C", ScanHearing::Garbage, "the noise of a wrong rate"},
    {std::string("1,2,3\0", 6), ScanHearing::Garbage, "a zero byte"},
};

TEST(JudgeHearing, TellsWhatCouldStillBeAReceiver)
{
    for (const Hearing& heard : kHearings) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(heard.bytes.data());
        EXPECT_EQ(judgeHearing(bytes, static_cast<int>(heard.bytes.size())), heard.judged) << heard.why;
    }
}

struct Listening {
    std::string atFirstRead; // arrives during the first wait
    std::string atSecondRead;
    bool found;
    std::vector<int> waits;
    const char* why;
};

const Listening kListenings[] = {
    {"$GPGGA,120000", "", true, {700}, "heard at once"},
    {"\x8F\x13\xA4\xE7\x55", "$GPGGA,120000", false, {700}, "garbage ends the rate"},
    {"", "$GPGGA,120000", true, {700, 400}, "the burst after a silent 700 ms"},
    {"$SkyWren,GPS receiver\r\n", "$GPGSA,A,3", true, {700, 400}, "identification lines first"},
    {"$SkyWren,GPS receiver\r\n$", "GPRMC", true, {700, 400}, "'$' and 'G' in two reads"},
    {"", "", false, {700, 400}, "silence: 1.1 s in all"},
    {"$SkyWren\r\n", "\x8F\x13\xA4$G\xE7", true, {700, 400}, "'$G' in the second read counts"},
};

TEST(ListenForReceiver, ListensOnTo1100MsOnlyWhileWhatItHeardCouldBeAReceiver)
{
    for (const Listening& row : kListenings) {
        FakeClock clock;
        ClockOverride use(clock);
        FakeSerialLink fake;
        ASSERT_TRUE(fake.link.openLink("COM1", "115200"));
        clock.onSleep = [&](int) {
            fake.port->pushIncoming(clock.sleeps().size() == 2 ? row.atFirstRead : row.atSecondRead);
        };
        ReceiveBuffer buffer{};
        EXPECT_EQ(listenForReceiver(fake.link, buffer), row.found) << row.why;
        // openLink's own settling wait comes first.
        EXPECT_EQ(std::vector<int>(clock.sleeps().begin() + 1, clock.sleeps().end()), row.waits) << row.why;
    }
}

} // namespace
} // namespace norvane
