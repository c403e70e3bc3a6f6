#include "view/satellite_description.h"

#include <algorithm>

namespace norvane {

std::string satelliteDescription(const SatelliteShowing& showing)
{
    const auto& satellites = showing.satellites;
    const auto used = std::count_if(satellites.begin(), satellites.end(),
                                    [](const ShownSatellite& s) { return s.status != kSatInView; });
    std::string text = std::to_string(satellites.size()) + " in view, " + std::to_string(used) + " used";
    for (const ShownSatellite& s : satellites) {
        text += "; " + satelliteLabel(s.system, s.prn) + " el " + std::to_string(s.elevation) + " az " +
                std::to_string(s.azimuth) + " snr " + std::to_string(s.snr) +
                (s.status == kSatInView ? " in view" : " used");
    }
    return text;
}

} // namespace norvane
