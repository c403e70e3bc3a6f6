#pragma once

#include "view/shown_satellites.h"

#include <string>

namespace norvane {

// What a screen reader says for the sky plot and the SNR chart: "N in view, M used", then one
// entry per satellite shown, "G05 el 45 az 120 snr 38 used" or "R12 el 10 az 300 snr 0 in view",
// all separated by "; ". A satellite heard on several bands gives each band's SNR in band order:
// "G05 el 45 az 120 snr L1 38 L5 41 used".
std::string satelliteDescription(const SatelliteShowing& showing);

} // namespace norvane
