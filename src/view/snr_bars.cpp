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

SnrBars snrBars(const SatelliteShowing& showing)
{
    SnrBars result;
    std::uint8_t heard = 0;
    for (const ShownSatellite& s : showing.satellites)
        heard |= s.bands;
    int place[kBandCount] = {};
    for (int b = 0; b < kBandCount; ++b) {
        if ((heard & bandBit(static_cast<Band>(b))) == 0)
            continue;
        place[b] = static_cast<int>(result.bands.size());
        result.bands.push_back(static_cast<Band>(b));
    }
    int x = 0;
    for (const ShownSatellite& s : showing.satellites) {
        ++x;
        if (!isSatelliteStatus(s.status))
            continue;
        const std::string label =
            showing.severalSystems ? satelliteLabel(s.system, s.prn) : std::to_string(s.prn);
        const Rgb colour = statusColours(s.status).fill;
        for (int b = 0; b < kBandCount; ++b) {
            if (s.heardOn(static_cast<Band>(b)))
                result.bars.push_back({x, s.bandSnr[b], label, colour, static_cast<Band>(b), place[b]});
        }
    }
    return result;
}

} // namespace norvane
