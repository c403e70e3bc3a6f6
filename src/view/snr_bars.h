#pragma once

#include "decode/receiver_state.h"
#include "view/view_colour.h"

#include <vector>

namespace norvane {

// One bar of the SNR chart.
struct SnrBar {
    int x = 0;
    int height = 0;
    int prn = 0;
    Rgb colour;
};

// Sets sat_status to 101 for satellites listed in used_prns, or 202 when such a satellite
// has no SNR or no position yet. Never sets a status back to 0: that is left to the GSV
// decoder when it rewrites the entry's SNR.
void markUsedSatellites(ReceiverState& state);

// The bars for the table as it stands, in table order: x = entry + 1, height the SNR,
// coloured by status. An entry with an unknown status gets no bar.
std::vector<SnrBar> snrBars(const ReceiverState& state);

} // namespace norvane
