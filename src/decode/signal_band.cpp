#include "decode/signal_band.h"

#include <array>

namespace norvane {

namespace {

struct SignalRange {
    GnssSystem system;
    int first;
    int last;
    Band band;
};

// SBAS satellites come in GPS sentences and are numbered by GPS's signal IDs.
constexpr std::array<SignalRange, 24> kSignalBands{{
    {GnssSystem::Gps, 1, 3, Band::L1}, // L1 C/A, L1 P(Y), L1M
    {GnssSystem::Gps, 4, 6, Band::L2}, // L2 P(Y), L2C-M, L2C-L
    {GnssSystem::Gps, 7, 8, Band::L5}, // L5-I, L5-Q
    {GnssSystem::Sbas, 1, 3, Band::L1},       {GnssSystem::Sbas, 4, 6, Band::L2},
    {GnssSystem::Sbas, 7, 8, Band::L5},       {GnssSystem::Glonass, 1, 2, Band::L1}, // G1 C/A, G1 P
    {GnssSystem::Glonass, 3, 4, Band::L2},                                           // G2 C/A, G2 P
    {GnssSystem::Galileo, 1, 3, Band::L5},                                           // E5a, E5b, E5 AltBOC
    {GnssSystem::Galileo, 4, 5, Band::E6},                                           // E6-A, E6-BC
    {GnssSystem::Galileo, 6, 7, Band::L1},                                           // E1-A, E1-BC
    {GnssSystem::BeiDou, 1, 4, Band::L1},                                            // B1I, B1Q, B1C, B1A
    {GnssSystem::BeiDou, 5, 7, Band::L5},                                            // B2-a, B2-b, B2-ab
    {GnssSystem::BeiDou, 8, 0xA, Band::E6},                                          // B3I, B3Q, B3A
    {GnssSystem::BeiDou, 0xB, 0xC, Band::L5},                                        // B2I, B2Q
    {GnssSystem::Qzss, 1, 4, Band::L1},   // L1 C/A, L1C (D), L1C (P), LIS
    {GnssSystem::Qzss, 5, 6, Band::L2},   // L2C-M, L2C-L
    {GnssSystem::Qzss, 7, 8, Band::L5},   // L5-I, L5-Q
    {GnssSystem::Qzss, 9, 0xA, Band::E6}, // L6D, L6E
    {GnssSystem::NavIc, 1, 1, Band::L5},  // L5-SPS
    {GnssSystem::NavIc, 2, 2, Band::S},   // S-SPS
    {GnssSystem::NavIc, 3, 3, Band::L5},  // L5-RS
    {GnssSystem::NavIc, 4, 4, Band::S},   // S-RS
    {GnssSystem::NavIc, 5, 5, Band::L1},  // L1-SPS
}};

// Signal IDs are one hexadecimal digit.
constexpr int kSignalIds = 16;
using BandsOfSignals = std::array<std::array<Band, kSignalIds>, kGnssSystemCount>;

// The ranges laid out by system and signal ID, every ID outside them L1, so that the views look
// a band up for each satellite of each group at no cost.
constexpr BandsOfSignals bandsOfSignals()
{
    BandsOfSignals bands{};
    for (auto& system : bands)
        system.fill(Band::L1);
    for (const SignalRange& range : kSignalBands) {
        for (int id = range.first; id <= range.last; ++id)
            bands[static_cast<std::size_t>(range.system)][static_cast<std::size_t>(id)] = range.band;
    }
    return bands;
}

constexpr BandsOfSignals kBandsOfSignals = bandsOfSignals();

} // namespace

Band bandOfSignal(GnssSystem system, int signalId)
{
    if (signalId < 0 || signalId >= kSignalIds)
        return Band::L1;
    return kBandsOfSignals[static_cast<std::size_t>(system)][static_cast<std::size_t>(signalId)];
}

std::string_view bandName(Band band)
{
    constexpr std::array<std::string_view, kBandCount> kNames{"L1", "L2", "L5", "E6", "S"};
    return kNames[static_cast<std::size_t>(band)];
}

} // namespace norvane
