#include "decode/nmea_fields.h"

#include <cmath>

namespace norvane {

double signedDegrees(double degreesAndMinutes, char hemisphere)
{
    const double degrees = std::trunc(degreesAndMinutes / 100);
    const double value = degrees + (degreesAndMinutes - degrees * 100) / 60;
    return hemisphere == 'S' || hemisphere == 'W' ? -value : value;
}

} // namespace norvane
