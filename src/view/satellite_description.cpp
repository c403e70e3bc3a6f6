#include "view/satellite_description.h"

#include <algorithm>

namespace norvane {

std::string satelliteDescription(const SatelliteShowing& showing)
{
    const auto& satellites = showing.satellites;
    const auto used = std::count_if(satellites.begin(), satellites.end(),
                                    [](const ShownSatellite& s) { return s.status != kSatInView; });
    std::string text = std::to_string(satellites.size()) + " in view, " + std::to_string(used) + " used";
    // Built in place: the views describe some fifty satellites after every GSA and GSV group.
    text.reserve(text.size() + satellites.size() * 40);
    for (const ShownSatellite& s : satellites) {
        text.append("; ").append(satelliteLabel(s.system, s.prn));
        text.append(" el ").append(std::to_string(s.elevation));
        text.append(" az ").append(std::to_string(s.azimuth));
        text.append(" snr ").append(std::to_string(s.snr));
        text.append(s.status == kSatInView ? " in view" : " used");
    }
    return text;
}

} // namespace norvane
