#pragma once

#include "decode/gnss_system.h"

#include <cstdint>
#include <string_view>

namespace norvane {

// The frequency bands a satellite is heard on, in the order the views list them.
enum class Band : std::uint8_t { L1, L2, L5, E6, S };
constexpr int kBandCount = 5;

// The band of a GSV sentence's signal ID (NMEA 4.11) for a satellite of this system. No signal
// ID (kNoSignal) or ID 0 is L1, and so is an ID the system does not define: a receiver that
// names its signals in its own way is still shown.
Band bandOfSignal(GnssSystem system, int signalId);

// "L1", "L2", "L5", "E6", "S".
std::string_view bandName(Band band);

constexpr std::uint8_t bandBit(Band band)
{
    return static_cast<std::uint8_t>(1u << static_cast<unsigned>(band));
}

} // namespace norvane
