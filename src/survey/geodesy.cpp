#include "survey/geodesy.h"

#include <cmath>
#include <numbers>

namespace norvane {

namespace {

constexpr double kSemiMajorAxis = 6378137.0;
constexpr double kFlattening = 1 / 298.257223563;
constexpr double kEccentricitySquared = kFlattening * (2 - kFlattening);

double radians(double degrees)
{
    return degrees * std::numbers::pi / 180;
}

double degrees(double radians)
{
    return radians * 180 / std::numbers::pi;
}

// The radius of curvature in the prime vertical at this latitude.
double primeVerticalRadius(double sinLatitude)
{
    return kSemiMajorAxis / std::sqrt(1 - kEccentricitySquared * sinLatitude * sinLatitude);
}

} // namespace

Ecef toEcef(const Geodetic& point)
{
    const double lat = radians(point.latitude);
    const double lon = radians(point.longitude);
    const double sinLat = std::sin(lat);
    const double cosLat = std::cos(lat);
    const double n = primeVerticalRadius(sinLat);
    return {(n + point.height) * cosLat * std::cos(lon), (n + point.height) * cosLat * std::sin(lon),
            (n * (1 - kEccentricitySquared) + point.height) * sinLat};
}

// Fixed-point iteration on the latitude; the height from the projection onto the normal, which
// stays well conditioned at the poles where p / cos(latitude) would not. Near the surface each
// round gains about three decimal digits, so a few rounds reach the double's precision.
Geodetic toGeodetic(const Ecef& point)
{
    const double p = std::hypot(point.x, point.y);
    double lat = std::atan2(point.z, p * (1 - kEccentricitySquared));
    double height = 0;
    for (int round = 0; round < 8; ++round) {
        const double sinLat = std::sin(lat);
        const double n = primeVerticalRadius(sinLat);
        height = p * std::cos(lat) + point.z * sinLat - kSemiMajorAxis * kSemiMajorAxis / n;
        const double next = std::atan2(point.z, p * (1 - kEccentricitySquared * n / (n + height)));
        const bool settled = std::fabs(next - lat) < 1e-15;
        lat = next;
        if (settled)
            break;
    }
    const double sinLat = std::sin(lat);
    height = p * std::cos(lat) + point.z * sinLat - kSemiMajorAxis * kSemiMajorAxis / primeVerticalRadius(sinLat);
    return {degrees(lat), degrees(std::atan2(point.y, point.x)), height};
}

LocalFrame::LocalFrame(const Geodetic& origin)
    : origin_(origin), originEcef_(toEcef(origin)), sinLat_(std::sin(radians(origin.latitude))),
      cosLat_(std::cos(radians(origin.latitude))), sinLon_(std::sin(radians(origin.longitude))),
      cosLon_(std::cos(radians(origin.longitude)))
{
}

Enu LocalFrame::toEnu(const Ecef& point) const
{
    return rotate(point.x - originEcef_.x, point.y - originEcef_.y, point.z - originEcef_.z);
}

} // namespace norvane
