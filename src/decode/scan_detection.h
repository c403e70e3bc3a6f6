#pragma once

#include <cstdint>

namespace norvane {

// The auto-scan's test for the receiver in one read of n bytes: a '$' followed by 'G' whose
// '$' is not one of the last two bytes, and only in a read of more than four bytes.
bool receiverSeen(const std::uint8_t* bytes, int count);

// What the scan heard at one rate.
enum class ScanHearing {
    Receiver,   // receiverSeen
    CouldBeOne, // nothing at all, or text: the receiver between bursts, its identification
                // lines, or a sentence heard from its middle
    Garbage,    // bytes no receiver sends as text: a wrong rate, or no receiver at all
};

// Nothing, or printable text from the first '$' on (the whole read when there is no '$'),
// could still be a receiver at this rate.
ScanHearing judgeHearing(const std::uint8_t* bytes, int count);

} // namespace norvane
