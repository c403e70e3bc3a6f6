#pragma once

#include "view/view_colour.h"

namespace norvane {

// How the sky plot's discs and the SNR chart's bars tell a satellite's status: the fill (blue
// used, silver used without signal or position, white in view) and the colour of a disc's
// number on it. A status of no known kind is drawn as in view.
struct StatusColours {
    Rgb fill;
    Rgb label;
};

StatusColours statusColours(int status);

// kSatInView, kSatUsed or kSatUsedWithoutSignal.
bool isSatelliteStatus(int status);

// The status of a used satellite: used without signal when it has no SNR, or no position yet
// (elevation and azimuth both 0).
int usedStatus(int snr, int elevation, int azimuth);

} // namespace norvane
