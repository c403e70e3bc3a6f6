#pragma once

#include "decode/receiver_state.h"

#include <algorithm>

namespace norvane {

// The number of satellites-in-view entries the views read. The count comes from the
// receiver's GSV sentences; one larger than the table would read past its 40 slots.
inline int satelliteEntryCount(const ReceiverState& state)
{
    return std::clamp(state.sats_in_view, 0, kSatelliteSlots);
}

} // namespace norvane
