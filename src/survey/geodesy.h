#pragma once

namespace norvane {

// Positions on the WGS84 ellipsoid, all in double precision: a fix's scatter of a few
// millimetres to metres is read as differences of Earth-centred coordinates of 6.4 million
// metres, so nothing here takes a flat-earth shortcut.

struct Geodetic {
    double latitude = 0;  // signed decimal degrees, south negative
    double longitude = 0; // signed decimal degrees, west negative
    double height = 0;    // metres above the ellipsoid
};

// Earth-centred, Earth-fixed, metres.
struct Ecef {
    double x = 0, y = 0, z = 0;
};

// Metres east, north and up of a local frame's origin.
struct Enu {
    double east = 0, north = 0, up = 0;
};

Ecef toEcef(const Geodetic& point);
// The inverse, to well under a millimetre anywhere from the Earth's centre region outwards.
Geodetic toGeodetic(const Ecef& point);

// The east/north/up frame at one point: the exact rotation of Earth-centred differences into the
// point's horizon, so distances and directions hold at any latitude and across the antimeridian.
class LocalFrame {
public:
    explicit LocalFrame(const Geodetic& origin = {});

    Enu toEnu(const Ecef& point) const;
    // The same for a difference of Earth-centred coordinates, point minus origin. Here, so that
    // the survey's loops over a day of fixes take it in.
    Enu rotate(double dx, double dy, double dz) const
    {
        const double horizontal = cosLon_ * dx + sinLon_ * dy;
        return {-sinLon_ * dx + cosLon_ * dy, -sinLat_ * horizontal + cosLat_ * dz,
                cosLat_ * horizontal + sinLat_ * dz};
    }

    const Geodetic& origin() const { return origin_; }
    const Ecef& originEcef() const { return originEcef_; }

private:
    Geodetic origin_;
    Ecef originEcef_;
    double sinLat_ = 0, cosLat_ = 1, sinLon_ = 0, cosLon_ = 1;
};

} // namespace norvane
