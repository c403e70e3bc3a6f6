// The Vexa acknowledgement wait fed arbitrary replies: the matcher on its own, and the polling
// wait over a link whose bytes arrive a few at a time while the deadline runs on a fake clock.
//
// Input: an arrival-size byte, then the bytes the receiver sends after the restart frame.

#include "control/acknowledgement_wait.h"
#include "fuzz_input.h"
#include "support/fake_clock.h"
#include "support/fake_port_backend.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace norvane::fuzz {
namespace {

constexpr std::array<std::uint8_t, 5> kHead = {0xA0, 0xA1, 0x00, 0x02, 0x83};

bool headEndsAt(std::string_view bytes, std::size_t last)
{
    if (last + 1 < kHead.size())
        return false;
    const std::size_t first = last + 1 - kHead.size();
    for (std::size_t i = 0; i < kHead.size(); ++i)
        if (static_cast<std::uint8_t>(bytes[first + i]) != kHead[i])
            return false;
    return true;
}

// Where the matcher must succeed at the latest: the end of the first head that is not preceded
// by any 0xA0 (an earlier 0xA0 may start an attempt that swallows part of it).
std::size_t certainMatchEnd(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (static_cast<std::uint8_t>(bytes[i]) != 0xA0)
            continue;
        return i + kHead.size() <= bytes.size() && headEndsAt(bytes, i + kHead.size() - 1)
                   ? i + kHead.size() - 1
                   : std::string_view::npos;
    }
    return std::string_view::npos;
}

// The byte after which the matcher reports the head, or npos.
std::size_t matcherEnd(std::string_view bytes)
{
    AcknowledgementMatcher matcher;
    std::size_t end = std::string_view::npos;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const bool matched = matcher.feed(static_cast<std::uint8_t>(bytes[i]));
        if (matched && end == std::string_view::npos) {
            // It may only claim a head that is really there, ending at this byte.
            FUZZ_CHECK(headEndsAt(bytes, i));
            end = i;
        }
        // Once found, the head stays found whatever follows.
        FUZZ_CHECK(matched == (end != std::string_view::npos));
    }
    FUZZ_CHECK(matcher.matched() == (end != std::string_view::npos));
    const std::size_t certain = certainMatchEnd(bytes);
    if (certain != std::string_view::npos)
        FUZZ_CHECK(end != std::string_view::npos && end <= certain);
    return end;
}

} // namespace
} // namespace norvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace norvane;
    using namespace norvane::fuzz;

    FuzzInput input(data, size);
    const std::size_t arrival = 1 + input.byte() % 64;
    const std::string_view reply = input.rest();
    const std::size_t end = matcherEnd(reply);

    FakeClock clock(1'000'000);
    // Every look at the clock moves it on, so even a wait that never sleeps reaches its deadline.
    clock.autoAdvanceMs = 1;
    ClockOverride useClock{clock};
    FakeSerialLink fake;
    FUZZ_CHECK(fake.link.openLink("COM3", "115200"));
    std::size_t sent = 0;
    fake.port->onQuery = [&] {
        if (sent < reply.size()) {
            const std::string_view piece = reply.substr(sent, arrival);
            fake.port->pushIncoming(piece);
            sent += piece.size();
        }
    };
    // The bytes queued when a poll asks are the ones it may read; the query hook adds the next
    // arrival after that answer, so a head split across arrivals has to survive between polls.
    const std::int64_t start = clock.nowMs();
    const bool acknowledged = awaitAcknowledgement(fake.link, start + kAcknowledgementTimeoutMs);
    const std::int64_t waited = clock.nowMs() - start;

    // A silent or chattering receiver holds the wait no longer than its deadline and a short pause.
    FUZZ_CHECK(waited <= kAcknowledgementTimeoutMs + 50);
    if (acknowledged) {
        FUZZ_CHECK(end != std::string_view::npos);
        // Everything after the head stays queued for the receive loop, in order.
        const std::size_t consumed = sent - fake.port->incomingCount();
        FUZZ_CHECK(consumed == end + 1);
    } else {
        FUZZ_CHECK(waited >= kAcknowledgementTimeoutMs);
    }
    // With time enough for every byte to arrive, a head in the reply is always found.
    if (end != std::string_view::npos && reply.size() / arrival + 2 < kAcknowledgementTimeoutMs / 2)
        FUZZ_CHECK(acknowledged);
    return 0;
}
