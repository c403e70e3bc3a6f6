#include "view/snr_bars.h"

#include "view/satellite_status.h"
#include "view/satellite_table.h"

namespace norvane {

namespace {

// The receiver's used list is searched only as far as the number of satellites in view, so a
// used PRN in a later slot than that count stays unmarked.
bool isListedAsUsed(const ReceiverState& state, int prn, int count)
{
    for (int slot = 0; slot < count; ++slot) {
        if (state.used_prns[slot] != 0 && state.used_prns[slot] == prn)
            return true;
    }
    return false;
}

} // namespace

void markUsedSatellites(ReceiverState& state)
{
    const int count = satelliteEntryCount(state);
    for (int entry = 0; entry < count; ++entry) {
        if (isListedAsUsed(state, state.sat_prn[entry], count))
            state.sat_status[entry] = kSatUsed;
        if (state.sat_status[entry] == kSatUsed)
            state.sat_status[entry] =
                usedStatus(state.sat_snr[entry], state.sat_elevation[entry], state.sat_azimuth[entry]);
    }
}

std::vector<SnrBar> snrBars(const ReceiverState& state)
{
    std::vector<SnrBar> bars;
    const int count = satelliteEntryCount(state);
    for (int entry = 0; entry < count; ++entry) {
        const int status = state.sat_status[entry];
        if (isSatelliteStatus(status))
            bars.push_back(
                {entry + 1, state.sat_snr[entry], state.sat_prn[entry], statusColours(status).fill});
    }
    return bars;
}

} // namespace norvane
