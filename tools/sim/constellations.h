// The skies of several satellite systems, and the second's output of a receiver that hears
// them: GN fixes, a GSA per system and GSV groups per system (and per signal in NMEA 4.10, or
// per band heard with NMEA 4.11 signal IDs).
#pragma once

#include "sim/nmea_burst.h"
#include "sim/sky_model.h"

#include <string>
#include <vector>

namespace norvane::sim {

// "GP,GL,GA,GB" into its talkers: each of GP, GL, GA, GB, GQ at most once. False for anything else.
bool parseSystems(const std::string& text, std::vector<std::string>& systems);

// "L1,L5" or "L1" into its bands. False for anything else.
bool parseBands(const std::string& text, std::vector<std::string>& bands);

// Whether these talkers make the one-system output of old.
bool gpsOnly(const std::vector<std::string>& systems);

class Constellations {
public:
    // Without bands each system sends the signals of old; with bands (which need nmea410) every
    // satellite is heard on each band its system has, on L5 a few dB off its L1 strength.
    Constellations(const std::vector<std::string>& talkers, bool nmea410, unsigned seed,
                   const std::vector<std::string>& bands = {});

    // The burst of one second: GNGGA, a GNGSA per system, the GSV groups, GNRMC.
    std::vector<std::string> burst(const BurstInput& input, double seconds) const;

private:
    struct System {
        std::string talker;
        int systemId;
        std::vector<int> signals; // NMEA 4.10 signal IDs; the first is every satellite's
        SkyModel sky;
    };
    std::vector<System> systems_;
    bool nmea410_;
    bool bands_;
};

} // namespace norvane::sim
