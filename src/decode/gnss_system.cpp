#include "decode/gnss_system.h"

#include <array>
#include <utility>

namespace norvane {

namespace {

constexpr std::array<std::pair<std::string_view, SatelliteSource>, 9> kTalkers{{
    {"GP", SatelliteSource::GpsFamily},
    {"GL", SatelliteSource::Glonass},
    {"GA", SatelliteSource::Galileo},
    {"GB", SatelliteSource::BeiDou},
    {"BD", SatelliteSource::BeiDou},
    {"GQ", SatelliteSource::Qzss},
    {"QZ", SatelliteSource::Qzss},
    {"GI", SatelliteSource::NavIc},
    {"GN", SatelliteSource::Combined},
}};

bool within(int prn, int first, int last)
{
    return prn >= first && prn <= last;
}

// The numbering GPS receivers use for what they hear beside GPS.
std::optional<GnssSystem> gpsNumbering(int prn)
{
    if (within(prn, 1, 32))
        return GnssSystem::Gps;
    if (within(prn, 33, 64))
        return GnssSystem::Sbas;
    if (within(prn, 193, 202))
        return GnssSystem::Qzss;
    return std::nullopt;
}

} // namespace

SatelliteSource sourceOfTalker(std::string_view talker)
{
    for (const auto& [name, source] : kTalkers) {
        if (name == talker)
            return source;
    }
    return SatelliteSource::Unknown;
}

std::optional<SatelliteSource> sourceOfSystemId(int systemId)
{
    if (!within(systemId, 1, 6))
        return std::nullopt;
    return static_cast<SatelliteSource>(systemId - 1);
}

GnssSystem systemOfPrn(SatelliteSource source, int prn)
{
    switch (source) {
    case SatelliteSource::GpsFamily:
        return gpsNumbering(prn).value_or(GnssSystem::Gps);
    case SatelliteSource::Glonass:
        return GnssSystem::Glonass;
    case SatelliteSource::Galileo:
        return GnssSystem::Galileo;
    case SatelliteSource::BeiDou:
        return GnssSystem::BeiDou;
    case SatelliteSource::Qzss:
        return GnssSystem::Qzss;
    case SatelliteSource::NavIc:
        return GnssSystem::NavIc;
    case SatelliteSource::Combined:
        if (within(prn, 65, 96))
            return GnssSystem::Glonass;
        return gpsNumbering(prn).value_or(GnssSystem::Other);
    case SatelliteSource::Unknown:
        break;
    }
    return GnssSystem::Other;
}

std::uint8_t systemsOfSource(SatelliteSource source)
{
    switch (source) {
    case SatelliteSource::GpsFamily:
        return systemBit(GnssSystem::Gps) | systemBit(GnssSystem::Sbas) | systemBit(GnssSystem::Qzss);
    case SatelliteSource::Combined:
        return 0xFF;
    case SatelliteSource::Unknown:
        return systemBit(GnssSystem::Other);
    default:
        return systemBit(systemOfPrn(source, 0));
    }
}

} // namespace norvane
