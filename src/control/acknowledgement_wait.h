#pragma once

#include <cstdint>

namespace norvane {

class SerialLink;

// How long a Vexa restart frame may go unanswered.
constexpr std::int64_t kAcknowledgementTimeoutMs = 3000;

// Finds the acknowledgement head A0 A1 00 02 83 in bytes handed over one at a time. An attempt
// begins at an 0xA0; the first byte that breaks it is consumed with it and never taken as the
// start of a new attempt. Progress survives between calls, so a head split across polls is
// still found.
class AcknowledgementMatcher {
public:
    // True once the byte completes the head.
    bool feed(std::uint8_t byte);
    bool matched() const;

private:
    int matchedBytes_ = 0;
};

// Polls the link until the acknowledgement head has arrived (true) or the deadline has passed
// (false). Only bytes already waiting are read, so a silent receiver cannot hold the wait past
// its deadline. The bytes after the head stay queued for the receive loop.
bool awaitAcknowledgement(SerialLink& link, std::int64_t deadlineMs);

} // namespace norvane
