#include "decode/satellite_sky.h"

#include <algorithm>

namespace norvane {

namespace {

bool speaksFor(std::uint8_t systems, int system)
{
    return (systems & (1u << system)) != 0;
}

bool listed(const SatelliteSky& sky, int system, int prn)
{
    const int* first = sky.used[system];
    return std::find(first, first + sky.usedCount[system], prn) != first + sky.usedCount[system];
}

} // namespace

SkyGroup& skyGroup(SatelliteSky& sky, SatelliteSource source, int signal)
{
    SkyGroup* stalest = &sky.groups[0];
    for (SkyGroup& group : sky.groups) {
        if (group.inUse && group.source == source && group.signal == signal)
            return group;
        if (!stalest->inUse)
            continue;
        if (!group.inUse || group.completedAt < stalest->completedAt)
            stalest = &group;
    }
    *stalest = SkyGroup{};
    stalest->inUse = true;
    stalest->source = source;
    stalest->signal = signal;
    stalest->completedAt = sky.tick;
    return *stalest;
}

void storeSkySatellite(SkyGroup& group, int messageNumber, int slot, const SkySatellite& satellite)
{
    const int entry = gsvEntry(messageNumber, slot);
    if (entry >= 0)
        group.satellites[entry] = satellite;
}

void completeSkyGroup(SatelliteSky& sky, SkyGroup& group)
{
    group.completedAt = sky.tick;
    for (SkyGroup& other : sky.groups) {
        if (other.inUse && sky.tick - other.completedAt > kGroupDropOutTicks)
            other = SkyGroup{};
    }
}

void takeUsedSatellites(SatelliteSky& sky, SatelliteSource source, std::uint8_t systems, const int* prns,
                        int count)
{
    for (int system = 0; system < kGnssSystemCount; ++system) {
        if (speaksFor(systems, system) && !speaksFor(sky.lastGsaSystems, system))
            sky.usedCount[system] = 0;
    }
    for (int i = 0; i < count; ++i) {
        if (prns[i] == 0)
            continue;
        const int system = static_cast<int>(systemOfPrn(source, prns[i]));
        if (!speaksFor(systems, system) || listed(sky, system, prns[i]) ||
            sky.usedCount[system] >= kUsedPerSystem)
            continue;
        sky.used[system][sky.usedCount[system]++] = prns[i];
    }
    sky.lastGsaSystems = systems;
}

bool isUsed(const SatelliteSky& sky, GnssSystem system, int prn)
{
    // A combined GSA without a system ID files a number outside the known ranges as other;
    // such a number can only be a satellite of a system that names its own.
    return prn != 0 && (listed(sky, static_cast<int>(system), prn) ||
                        listed(sky, static_cast<int>(GnssSystem::Other), prn));
}

} // namespace norvane
