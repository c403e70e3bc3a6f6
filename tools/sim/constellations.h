// The skies of several satellite systems, and the second's output of a receiver that hears
// them: GN fixes, a GSA per system and GSV groups per system (and per signal in NMEA 4.10).
#pragma once

#include "sim/nmea_burst.h"
#include "sim/sky_model.h"

#include <string>
#include <vector>

namespace norvane::sim {

// "GP,GL,GA,GB" into its talkers: each of GP, GL, GA, GB at most once. False for anything else.
bool parseSystems(const std::string& text, std::vector<std::string>& systems);

// Whether these talkers make the one-system output of old.
bool gpsOnly(const std::vector<std::string>& systems);

class Constellations {
public:
    Constellations(const std::vector<std::string>& talkers, bool nmea410, unsigned seed);

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
};

} // namespace norvane::sim
