#include "control/acknowledgement_wait.h"

#include "serial/clock.h"
#include "serial/serial_link.h"

#include <array>

namespace norvane {

namespace {

constexpr std::array<std::uint8_t, 5> kAcknowledgementHead = {0xA0, 0xA1, 0x00, 0x02, 0x83};
constexpr int kHeadSize = static_cast<int>(kAcknowledgementHead.size());

// Reads up to `queued` waiting bytes one at a time, stopping right after a complete head.
// Returns how many bytes were consumed.
std::uint32_t consumeWaiting(SerialLink& link, AcknowledgementMatcher& matcher, std::uint32_t queued)
{
    std::uint32_t consumed = 0;
    while (consumed < queued && !matcher.matched()) {
        std::uint8_t byte = 0;
        if (link.readWaiting(&byte, 1) != 1)
            break;
        ++consumed;
        matcher.feed(byte);
    }
    return consumed;
}

} // namespace

bool AcknowledgementMatcher::feed(std::uint8_t byte)
{
    if (matched())
        return true;
    if (byte == kAcknowledgementHead[matchedBytes_])
        ++matchedBytes_;
    else
        matchedBytes_ = 0;
    return matched();
}

bool AcknowledgementMatcher::matched() const
{
    return matchedBytes_ == kHeadSize;
}

bool awaitAcknowledgement(SerialLink& link, std::int64_t deadlineMs)
{
    AcknowledgementMatcher matcher;
    while (clock().nowMs() < deadlineMs) {
        const auto queued = link.queryQueued();
        const std::uint32_t consumed = queued ? consumeWaiting(link, matcher, *queued) : 0;
        if (matcher.matched())
            return true;
        // A short pause between empty polls keeps the wait from spinning; it never moves the
        // deadline.
        if (consumed == 0)
            clock().sleepMs(1);
    }
    return false;
}

} // namespace norvane
