#include "view/system_marks.h"

#include <cmath>

namespace norvane {

DiscShape discShapeOf(GnssSystem system)
{
    switch (system) {
    case GnssSystem::Gps:
        return DiscShape::Circle;
    case GnssSystem::Glonass:
        return DiscShape::Square;
    case GnssSystem::Galileo:
        return DiscShape::Diamond;
    case GnssSystem::BeiDou:
        return DiscShape::Hexagon;
    case GnssSystem::Sbas:
        return DiscShape::Triangle;
    case GnssSystem::Qzss:
        return DiscShape::Pentagon;
    case GnssSystem::NavIc:
        return DiscShape::Octagon;
    case GnssSystem::Other:
        break;
    }
    return DiscShape::DoubleCircle;
}

BandPattern bandPatternOf(Band band)
{
    switch (band) {
    case Band::L1:
        return BandPattern::Plain;
    case Band::L2:
        return BandPattern::Chequer;
    case Band::L5:
        return BandPattern::Stripes;
    case Band::E6:
        return BandPattern::Hatch;
    case Band::S:
        break;
    }
    return BandPattern::CrossHatch;
}

std::vector<LegendEntry> systemLegend(const SatelliteShowing& showing)
{
    std::vector<LegendEntry> legend;
    for (const ShownSatellite& s : showing.satellites) {
        if (legend.empty() || legend.back().system != s.system)
            legend.push_back({s.system, 0, 0, {}});
        ++legend.back().inView;
        if (s.status != kSatInView)
            ++legend.back().used;
    }
    for (LegendEntry& entry : legend) {
        entry.text = std::string(1, systemLetter(entry.system)) + " " + std::to_string(entry.used) + "/" +
                     std::to_string(entry.inView);
    }
    return legend;
}

int labelStep(double slotWidth, int labelWidth)
{
    if (slotWidth <= 0)
        return 1;
    return std::max(1, static_cast<int>(std::ceil((labelWidth + 2) / slotWidth)));
}

} // namespace norvane
