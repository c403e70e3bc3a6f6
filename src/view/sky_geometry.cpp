#include "view/sky_geometry.h"

#include "view/satellite_status.h"

#include <cmath>
#include <numbers>

namespace norvane {

namespace {

double radians(int degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

// A two-digit PRN starts further left so that both widths sit roughly centred in the disc.
SkyPoint labelOrigin(int prn, SkyPoint centre)
{
    return {centre.x - (prn > 9 ? 5 : 2), centre.y - 7};
}

} // namespace

SkyPoint skyPosition(int elevationDegrees, int azimuthDegrees)
{
    const double e = radians(elevationDegrees);
    const double a = radians(azimuthDegrees);
    const double x = kSkyCentre + kSkyHorizonRadius * std::cos(e) * std::sin(a);
    const double y = kSkyCentre - kSkyHorizonRadius * std::cos(e) * std::cos(a);
    return {static_cast<int>(x), static_cast<int>(y)};
}

SkyDisc skyDisc(int prn, int elevationDegrees, int azimuthDegrees, int status)
{
    SkyDisc disc;
    disc.centre = skyPosition(elevationDegrees, azimuthDegrees);
    disc.labelOrigin = labelOrigin(prn, disc.centre);
    disc.prn = prn;
    const StatusColours colours = statusColours(status);
    disc.fill = colours.fill;
    disc.label = colours.label;
    return disc;
}

} // namespace norvane
