#include "view/satellite_description.h"

#include <algorithm>
#include <bit>

namespace norvane {

namespace {

// "38", or with several bands each in band order: "L1 38 L5 41".
void appendSnr(std::string& text, const ShownSatellite& s)
{
    if (std::popcount(s.bands) < 2) {
        text.append(std::to_string(s.snr));
        return;
    }
    const char* separator = "";
    for (int b = 0; b < kBandCount; ++b) {
        if (!s.heardOn(static_cast<Band>(b)))
            continue;
        text.append(separator).append(bandName(static_cast<Band>(b))).append(" ");
        text.append(std::to_string(s.bandSnr[b]));
        separator = " ";
    }
}

} // namespace

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
        text.append(" snr ");
        appendSnr(text, s);
        text.append(s.status == kSatInView ? " in view" : " used");
    }
    return text;
}

} // namespace norvane
