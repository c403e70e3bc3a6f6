#pragma once

#include "decode/gnss_system.h"
#include "decode/receiver_state.h"
#include "decode/signal_band.h"

#include <string>
#include <vector>

namespace norvane {

// One satellite as the sky plot and the SNR chart show it.
struct ShownSatellite {
    GnssSystem system = GnssSystem::Gps;
    int prn = 0;
    int elevation = 0;
    int azimuth = 0;
    // The sky plot's: that of the L1 band, or of the lowest band heard without L1. The used
    // without signal status goes by it.
    int snr = 0;
    int status = kSatInView; // kSatInView, kSatUsed or kSatUsedWithoutSignal
    // The bands heard (bandBit) and the SNR of each, that of its lowest signal ID.
    std::uint8_t bands = 0;
    int bandSnr[kBandCount] = {};

    bool heardOn(Band band) const { return (bands & bandBit(band)) != 0; }
};

struct SatelliteShowing {
    std::vector<ShownSatellite> satellites;
    // Satellites of more than one system are shown, each marked with its system. A receiver of
    // one talker without signal IDs is shown as it always was, whatever its PRNs.
    bool severalSystems = false;
    // Shown from the table of one talker, in its order and with its statuses.
    bool tableOrder = true;
};

// Whether the state is shown from the satellites-in-view table as it always was: no GSV group
// yet, or one talker's groups without signal IDs.
bool showsSingleTalkerTable(const ReceiverState& state);

// The satellites to show. From the single-talker table: its entries 0 to count - 1 in table
// order, on L1, with the statuses the SNR chart update set. Otherwise every system's
// satellites, grouped by system in the order of GnssSystem and by ascending PRN within one, a
// satellite heard on several signals once with an SNR per band, statuses from the used lists
// of its system.
SatelliteShowing shownSatellites(const ReceiverState& state);
// The same into a showing whose room is kept: for a survey that takes the satellites at every
// epoch of a long recording.
void shownSatellites(const ReceiverState& state, SatelliteShowing& into);

// The system letter of the usual convention: G, S, R, E, C, J, I, and U for other.
char systemLetter(GnssSystem system);
// The system's own number for a PRN: GLONASS by slot (PRN 76 is 12), SBAS by its number
// (PRN 44 is 131), QZSS within QZSS (PRN 195 is 3). Other numbers stay.
int systemNumber(GnssSystem system, int prn);
// The letter and two or three digits: "G05", "R12", "S131", "J03".
std::string satelliteLabel(GnssSystem system, int prn);

} // namespace norvane
