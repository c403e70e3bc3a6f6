#pragma once

#include "view/view_colour.h"

namespace norvane {

// The sky plot's picture: centre (100, 100), horizon at radius 75, north up, east right.
constexpr int kSkyCentre = 100;
constexpr int kSkyHorizonRadius = 75;
constexpr int kSkyDiscRadius = 9;

struct SkyPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const SkyPoint&, const SkyPoint&) = default;
};

// Where a satellite at this elevation and azimuth (degrees) stands in the picture,
// truncated to whole pixels.
SkyPoint skyPosition(int elevationDegrees, int azimuthDegrees);

// One satellite's disc: centre, colours, and the top-left corner of its PRN text.
struct SkyDisc {
    SkyPoint centre;
    SkyPoint labelOrigin;
    int prn = 0;
    Rgb fill;
    Rgb label;
};

SkyDisc skyDisc(int prn, int elevationDegrees, int azimuthDegrees, int status);

} // namespace norvane
