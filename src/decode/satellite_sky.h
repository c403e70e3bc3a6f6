#pragma once

#include "decode/gnss_system.h"

#include <cstdint>

namespace norvane {

// A GSV message names up to four satellites and a group has up to ten messages: message m
// fills entries (m - 1) * 4 to (m - 1) * 4 + 3 of the group's 40.
constexpr int kGsvSatellitesPerMessage = 4;
constexpr int kGsvMessagesPerGroup = 10;
constexpr int kGroupSatellites = kGsvMessagesPerGroup * kGsvSatellitesPerMessage;

// The entry of satellite `slot` (0..3) of GSV message `messageNumber` (1..10), or -1 for a
// message number or slot outside those, whose satellite has no entry.
constexpr int gsvEntry(int messageNumber, int slot)
{
    if (messageNumber < 1 || messageNumber > kGsvMessagesPerGroup || slot < 0 ||
        slot >= kGsvSatellitesPerMessage)
        return -1;
    return (messageNumber - 1) * kGsvSatellitesPerMessage + slot;
}

// Groups kept at once: a source and a signal each. Seven sources with four signals fit.
constexpr int kSkyGroups = 32;
// Used satellites kept per system: more than any receiver lists in its GSA sentences.
constexpr int kUsedPerSystem = 64;
// A group that has not come for this many ticks, while other groups keep coming, is gone.
constexpr int kGroupDropOutTicks = 10;
// No signal ID in the sentence (before NMEA 4.10).
constexpr int kNoSignal = -1;

struct SkySatellite {
    int prn = 0;
    int elevation = 0;
    int azimuth = 0;
    int snr = 0;
};

// The satellites of the latest GSV group of one source on one signal, kept by message position.
struct SkyGroup {
    bool inUse = false;
    SatelliteSource source = SatelliteSource::Unknown;
    int signal = kNoSignal;
    int inView = 0;      // satellites in view the group announces
    int completedAt = 0; // tick of the group's last message
    SkySatellite satellites[kGroupSatellites] = {};
};

// The satellites of every system: GSV groups keyed by source and signal, so that a group
// replaces only its own entries, and a used list per system.
struct SatelliteSky {
    int tick = 0; // receive-loop ticks so far, for the drop-out rule
    SkyGroup groups[kSkyGroups] = {};
    int used[kGnssSystemCount][kUsedPerSystem] = {};
    int usedCount[kGnssSystemCount] = {};
    // Systems the previous GSA replaced or extended; a GGA or RMC in between clears it, so
    // only consecutive GSA sentences of one system add up.
    std::uint8_t lastGsaSystems = 0;
};

// The group of this source and signal, made free or taken over from the stalest group when new.
SkyGroup& skyGroup(SatelliteSky& sky, SatelliteSource source, int signal);

// A GSV message number m (1-based) wrote satellite `slot`; m outside 1..10 writes nothing.
void storeSkySatellite(SkyGroup& group, int messageNumber, int slot, const SkySatellite& satellite);

// The group's last message has come: stamp it, and drop the groups that have not come for
// kGroupDropOutTicks while this one kept coming.
void completeSkyGroup(SatelliteSky& sky, SkyGroup& group);

// One GSA sentence's used satellites. `systems` are the systems the sentence speaks for; each
// list among them is replaced, or extended when the previous GSA spoke for it too.
void takeUsedSatellites(SatelliteSky& sky, SatelliteSource source, std::uint8_t systems, const int* prns,
                        int count);

// A GGA or RMC sentence ends a run of GSA sentences.
inline void endGsaRun(SatelliteSky& sky)
{
    sky.lastGsaSystems = 0;
}

bool isUsed(const SatelliteSky& sky, GnssSystem system, int prn);

} // namespace norvane
