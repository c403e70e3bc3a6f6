#pragma once

#include "decode/gnss_system.h"
#include "decode/signal_band.h"
#include "view/shown_satellites.h"

#include <string>
#include <vector>

namespace norvane {

// How a disc of the sky plot tells its system when several are shown: by its outline, which
// reads in greyscale as well as in colour.
enum class DiscShape { Circle, Square, Diamond, Hexagon, Triangle, Pentagon, Octagon, DoubleCircle };

DiscShape discShapeOf(GnssSystem system);

// How a bar of the SNR chart tells its band when several are shown, over the colour of its
// status: L1 plain, L5 striped across, L2 chequered, E6 and S hatched. Stripes and chequers read
// in greyscale and in bars two pixels wide.
enum class BandPattern { Plain, Stripes, Chequer, Hatch, CrossHatch };

BandPattern bandPatternOf(Band band);

// One line of the sky plot's legend: a system present, its used and in-view counts.
struct LegendEntry {
    GnssSystem system = GnssSystem::Gps;
    int used = 0;
    int inView = 0;
    std::string text; // "G 8/12"
};

std::vector<LegendEntry> systemLegend(const SatelliteShowing& showing);

// Which bars of the SNR chart carry an axis label when `slotWidth` pixels stand for a bar and
// a label needs `labelWidth`: every bar, every second or third, or as sparse as the room asks.
int labelStep(double slotWidth, int labelWidth);

} // namespace norvane
