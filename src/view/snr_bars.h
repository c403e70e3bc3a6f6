#pragma once

#include "decode/receiver_state.h"
#include "decode/signal_band.h"
#include "view/shown_satellites.h"
#include "view/view_colour.h"

#include <string>
#include <vector>

namespace norvane {

// One bar of the SNR chart: a satellite's SNR on one band.
struct SnrBar {
    int x = 0; // the satellite's place, 1 for the first
    int height = 0;
    std::string label; // the satellite's, under its bars
    Rgb colour;        // its status's
    Band band = Band::L1;
    int bandPlace = 0; // among the bars of one satellite, side by side: 0 on the left
};

struct SnrBars {
    std::vector<SnrBar> bars; // by x; the bars of one satellite in band order
    std::vector<Band> bands;  // the bands any satellite is heard on, in band order
};

// Sets sat_status to 101 for satellites listed in used_prns, or 202 when such a satellite
// has no SNR or no position yet. Never sets a status back to 0: that is left to the GSV
// decoder when it rewrites the entry's SNR.
void markUsedSatellites(ReceiverState& state);

// The bars of the satellites as shown, at x = their place in the showing + 1, one per band a
// satellite is heard on, at the band's place among all the bands heard, and coloured by status;
// a satellite of an unknown status keeps its place but has no bar. The label is the PRN, or
// with several systems the system letter and the system's own number ("R12").
SnrBars snrBars(const SatelliteShowing& showing);

} // namespace norvane
