#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace norvane {

// The satellite systems the views tell apart, in the order they show them.
enum class GnssSystem : std::uint8_t { Gps, Sbas, Glonass, Galileo, BeiDou, Qzss, NavIc, Other };
constexpr int kGnssSystemCount = 8;

// Who names a sentence's satellites: its talker, or in a GSA the system ID that follows the
// three dilutions. GPS sentences also carry SBAS and QZSS satellites; combined (GN) sentences
// without a system ID carry any, told apart by PRN.
enum class SatelliteSource : std::uint8_t {
    GpsFamily,
    Glonass,
    Galileo,
    BeiDou,
    Qzss,
    NavIc,
    Combined,
    Unknown
};

SatelliteSource sourceOfTalker(std::string_view talker);
// 1 GPS .. 6 NavIC; nothing for any other number.
std::optional<SatelliteSource> sourceOfSystemId(int systemId);

// The system of a satellite named by this source. Within the GPS family (and under a combined
// talker) the PRN ranges of GPS, SBAS, QZSS (and GLONASS) decide; any other number counts for
// the source's own system, or as other under a combined talker.
GnssSystem systemOfPrn(SatelliteSource source, int prn);

// The systems whose satellites a source can name, one bit per system.
std::uint8_t systemsOfSource(SatelliteSource source);

constexpr std::uint8_t systemBit(GnssSystem system)
{
    return static_cast<std::uint8_t>(1u << static_cast<unsigned>(system));
}

} // namespace norvane
