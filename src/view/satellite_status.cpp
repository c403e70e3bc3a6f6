#include "view/satellite_status.h"

#include "decode/receiver_state.h"

namespace norvane {

StatusColours statusColours(int status)
{
    switch (status) {
    case kSatUsed:
        return {kBlue, kWhite};
    case kSatUsedWithoutSignal:
        return {kSilver, kRed};
    default:
        return {kWhite, kBlack};
    }
}

bool isSatelliteStatus(int status)
{
    return status == kSatInView || status == kSatUsed || status == kSatUsedWithoutSignal;
}

int usedStatus(int snr, int elevation, int azimuth)
{
    const bool withoutSignalOrPosition = snr == 0 || (elevation == 0 && azimuth == 0);
    return withoutSignalOrPosition ? kSatUsedWithoutSignal : kSatUsed;
}

} // namespace norvane
