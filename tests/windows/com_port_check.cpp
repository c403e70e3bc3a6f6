// The serial link's Win32 backend on a real line. COM5 is a pseudo-terminal of the host whose
// master com_port_peer.py holds; the two sides take turns, each announcing its step with a line:
//
//   check -> "READY"          after opening COM5 at 9600 (the peer then checks the line settings)
//   peer  -> one NMEA sentence, which the check reads with the link's own read
//   check -> "GOT"
//   peer  -> stale bytes, which the check purges unread
//   check -> "PURGED", then every byte value 0..255 and "END", which the peer compares
//
// Exit status 0 only when every step of this side held.

#include "serial/clock.h"
#include "serial/serial_link.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

using norvane::ReceiveBuffer;
using norvane::SerialLink;

constexpr std::string_view kSentence =
    "$GPGGA,120005.000,2459.2057,N,12130.1234,E,1,10,1.0,56.3,M,15.2,M,,*63\r\n";
constexpr std::size_t kStaleBytes = 64;
constexpr int kStepTimeoutMs = 10000;
constexpr int kPollMs = 20;

bool fail(const char* step)
{
    std::printf("FAIL: %s\n", step);
    return false;
}

bool say(SerialLink& link, std::string_view line)
{
    std::printf("-> %.*s\n", static_cast<int>(line.size()), line.data());
    const std::string text = std::string(line) + "\r\n";
    return link.writeBytes(text.data(), text.size());
}

// Reads with the receive loop's read until `wanted` bytes came or the step times out.
std::string readUntil(SerialLink& link, std::size_t wanted)
{
    std::string got;
    ReceiveBuffer buffer{};
    for (int waited = 0; got.size() < wanted && waited < kStepTimeoutMs; waited += kPollMs) {
        const int n = link.readAvailable(buffer);
        if (n > 0)
            got.append(reinterpret_cast<const char*>(buffer.data()), static_cast<std::size_t>(n));
        else
            norvane::clock().sleepMs(kPollMs);
    }
    return got;
}

bool waitQueued(SerialLink& link, std::uint32_t wanted)
{
    for (int waited = 0; waited < kStepTimeoutMs; waited += kPollMs) {
        const auto queued = link.queryQueued();
        if (!queued)
            return false;
        if (*queued >= wanted)
            return true;
        norvane::clock().sleepMs(kPollMs);
    }
    return false;
}

bool run()
{
    SerialLink link;
    if (!link.openLink(" COM5", "  9600"))
        return fail("open COM5 at 9600");
    if (!say(link, "READY"))
        return fail("write READY");

    const std::string sentence = readUntil(link, kSentence.size());
    std::printf("<- %zu bytes\n", sentence.size());
    if (sentence != kSentence)
        return fail("read the sentence unchanged");
    if (!say(link, "GOT"))
        return fail("write GOT");

    if (!waitQueued(link, kStaleBytes))
        return fail("see the stale bytes queued");
    if (!link.purgeInput())
        return fail("purge");
    const auto afterPurge = link.queryQueued();
    if (!afterPurge || *afterPurge != 0)
        return fail("nothing queued after the purge");
    ReceiveBuffer buffer{};
    if (link.readAvailable(buffer) != 0)
        return fail("nothing read after the purge");

    if (!say(link, "PURGED"))
        return fail("write PURGED");
    std::string everyByte;
    for (int value = 0; value < 256; ++value)
        everyByte += static_cast<char>(value);
    if (!link.writeBytes(everyByte.data(), everyByte.size()) || !say(link, "END"))
        return fail("write every byte value");

    // The peer has the bytes before the port goes; closing discards what is still unsent.
    norvane::clock().sleepMs(500);
    link.closePort();
    if (link.isOpen())
        return fail("close");
    return true;
}

} // namespace

int main()
{
    const bool passed = run();
    std::printf("%s\n", passed ? "com port check passed" : "com port check FAILED");
    std::fflush(stdout);
    return passed ? 0 : 1;
}
