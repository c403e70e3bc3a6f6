// One second of receiver output: GGA, GSA, the GSV group and RMC.
#pragma once

#include "sim/sky_model.h"
#include "sim/utc_clock.h"

#include <string>
#include <vector>

namespace norvane::sim {

struct FixPosition {
    double latitude = 2459.2057; // ddmm.mmmm
    char latHemisphere = 'N';
    double longitude = 12130.1234; // dddmm.mmmm
    char lonHemisphere = 'E';
    double altitude = 56.3; // metres
};

struct BurstInput {
    std::string talker = "GP";
    UtcTime time;
    char fixMode = '3'; // '1' no fix, '2' 2D, '3' 3D
    FixPosition position;
    std::vector<SatelliteView> sky; // in the order GSV lists them
    int angleDecimals = 4;          // of the minutes; more when the position carries noise
    int altitudeDecimals = 1;
};

// The sentences in sending order, each with its checksum and CR LF.
std::vector<std::string> nmeaBurst(const BurstInput& input);

// The PRNs a fix of this mode uses: none without a fix, three in 2D, every usable one in 3D.
std::vector<int> usedPrns(char fixMode, const std::vector<SatelliteView>& sky);

} // namespace norvane::sim
