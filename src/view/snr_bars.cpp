#include "view/snr_bars.h"

#include "view/satellite_table.h"

#include <optional>

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

bool lacksSignalOrPosition(const ReceiverState& state, int entry)
{
    return state.sat_snr[entry] == 0 || (state.sat_elevation[entry] == 0 && state.sat_azimuth[entry] == 0);
}

std::optional<Rgb> barColour(int status)
{
    switch (status) {
    case kSatUsed:
        return kBlue;
    case kSatUsedWithoutSignal:
        return kSilver;
    case kSatInView:
        return kWhite;
    default:
        return std::nullopt;
    }
}

} // namespace

void markUsedSatellites(ReceiverState& state)
{
    const int count = satelliteEntryCount(state);
    for (int entry = 0; entry < count; ++entry) {
        if (isListedAsUsed(state, state.sat_prn[entry], count))
            state.sat_status[entry] = kSatUsed;
        if (state.sat_status[entry] == kSatUsed && lacksSignalOrPosition(state, entry))
            state.sat_status[entry] = kSatUsedWithoutSignal;
    }
}

std::vector<SnrBar> snrBars(const ReceiverState& state)
{
    std::vector<SnrBar> bars;
    const int count = satelliteEntryCount(state);
    for (int entry = 0; entry < count; ++entry) {
        if (const auto colour = barColour(state.sat_status[entry]))
            bars.push_back({entry + 1, state.sat_snr[entry], state.sat_prn[entry], *colour});
    }
    return bars;
}

} // namespace norvane
