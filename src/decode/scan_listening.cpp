#include "decode/scan_listening.h"

#include "decode/scan_detection.h"
#include "serial/clock.h"

#include <vector>

namespace norvane {

bool listenForReceiver(SerialLink& link, ReceiveBuffer& buffer)
{
    // Read as much as a tick would: a fast receiver's burst of more than 1000 bytes is its
    // fresh output, not a backlog to discard.
    const std::uint32_t limit = tickReadLimit(link.lineRate());
    clock().sleepMs(kFirstListenMs);
    const int first = link.readAvailable(buffer, limit);
    const ScanHearing hearing = judgeHearing(buffer.data(), first);
    if (hearing != ScanHearing::CouldBeOne)
        return hearing == ScanHearing::Receiver;

    std::vector<std::uint8_t> heard(buffer.begin(), buffer.begin() + first);
    clock().sleepMs(kLongestListenMs - kFirstListenMs);
    const int second = link.readAvailable(buffer, limit);
    heard.insert(heard.end(), buffer.begin(), buffer.begin() + second);
    return receiverSeen(heard.data(), static_cast<int>(heard.size()));
}

} // namespace norvane
