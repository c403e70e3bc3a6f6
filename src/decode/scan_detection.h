#pragma once

#include <cstdint>

namespace norvane {

// The auto-scan's test for the receiver in one read of n bytes: a '$' followed by 'G' whose
// '$' is not one of the last two bytes, and only in a read of more than four bytes.
bool receiverSeen(const std::uint8_t* bytes, int count);

} // namespace norvane
