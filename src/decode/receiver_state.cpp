#include "decode/receiver_state.h"

#include <algorithm>
#include <iterator>

namespace norvane {

void resetSatellites(ReceiverState& state)
{
    std::fill(std::begin(state.used_prns), std::end(state.used_prns), 0);
    std::fill(std::begin(state.sat_prn), std::end(state.sat_prn), 0);
    std::fill(std::begin(state.sat_elevation), std::end(state.sat_elevation), 0);
    std::fill(std::begin(state.sat_azimuth), std::end(state.sat_azimuth), 0);
    std::fill(std::begin(state.sat_snr), std::end(state.sat_snr), 0);
    std::fill(std::begin(state.sat_status), std::end(state.sat_status), 0);
    state.fix_mode = '0';
    state.gsv_count = 0;
    const int tick = state.sky.tick;
    state.sky = SatelliteSky{};
    state.sky.tick = tick;
}

} // namespace norvane
