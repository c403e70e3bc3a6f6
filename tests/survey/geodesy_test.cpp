// WGS84 positions against points worked out independently (a 40-digit evaluation of the
// ellipsoid's textbook form in terms of both semi-axes), to the millimetre; the local frame
// against displacements whose east/north/up follow from the geometry alone.
#include "survey/geodesy.h"

#include <gtest/gtest.h>

namespace norvane::test {
namespace {

constexpr double kMillimetre = 0.001;

TEST(Geodesy, KnownPointsToTheMillimetreAndBack)
{
    const struct {
        Geodetic point;
        Ecef expected;
    } cases[] = {
        {{0, 0, 0}, {6378137.0, 0, 0}},
        {{90, 0, 0}, {0, 0, 6356752.314245}},
        {{-90, 0, 0}, {0, 0, -6356752.314245}},
        {{45, 45, 0}, {3194419.145061, 3194419.145061, 4487348.408866}},
        {{-33.8688, 151.2093, 58}, {-4646093.477288, 2553229.535817, -3534404.710910}},
        {{-34.6037, -58.3816, 25}, {2755266.035111, -4475400.004289, -3601780.727997}},
        {{78.2232, 15.6267, 450}, {1257787.681733, 351812.537990, 6222510.573175}},
        {{-77.8419, 166.6863, 20}, {-1311402.092971, 310333.429010, -6213262.385854}},
        {{24.986762, 121.502057, 71.5}, {-3022673.737457, 4932157.765427, 2677775.574660}},
        {{51.4779, -0.0015, 45.9}, {3980601.093153, -104.211893, 4966867.361987}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.latitude << ", " << c.point.longitude);
        const Ecef ecef = toEcef(c.point);
        EXPECT_NEAR(ecef.x, c.expected.x, kMillimetre);
        EXPECT_NEAR(ecef.y, c.expected.y, kMillimetre);
        EXPECT_NEAR(ecef.z, c.expected.z, kMillimetre);
        // Back again: a tenth of a millimetre is 1e-9 degrees of latitude.
        const Geodetic back = toGeodetic(c.expected);
        EXPECT_NEAR(back.latitude, c.point.latitude, 1e-9);
        if (std::abs(c.point.latitude) < 90) {
            EXPECT_NEAR(back.longitude, c.point.longitude, 1e-9);
        }
        EXPECT_NEAR(back.height, c.point.height, kMillimetre);
    }
}

TEST(Geodesy, LocalFrameTurnsDisplacementsIntoEastNorthUp)
{
    const double polarRadius = 6356752.314245179;
    // Same latitude and height, 0.0002 degrees of longitude apart across the antimeridian:
    // east = R sin(d), north = R (1 - cos d) sin(lat), up = -R cos(lat) (1 - cos d), with R the
    // parallel's radius (values from the same 40-digit evaluation).
    const Geodetic beforeAntimeridian{-16.5, 179.9999, 10};
    const Geodetic afterAntimeridian{-16.5, -179.9999, 10};
    const struct {
        const char* what;
        Geodetic origin;
        Ecef point;
        Enu expected;
    } cases[] = {
        {"equator: +y is east, +z north", {0, 0, 0}, {6378137.0, 5, 7}, {5, 7, 0}},
        {"equator at 90 E: -x is east", {0, 90, 0}, {-3, 6378137.0, 4}, {3, 4, 0}},
        {"north pole: +y is east, -x north", {90, 0, 0}, {-5, 2, polarRadius + 1}, {2, 5, 1}},
        {"south pole: +y is east, +x north", {-90, 0, 0}, {5, 2, -polarRadius - 1}, {2, 5, 1}},
        {"straight up", {-34.6037, -58.3816, 25}, toEcef({-34.6037, -58.3816, 35}), {0, 0, 10}},
        {"across the antimeridian", beforeAntimeridian, toEcef(afterAntimeridian),
         {21.352864444, -0.0000105846, -0.0000357331}},
        {"and back", afterAntimeridian, toEcef(beforeAntimeridian), {-21.352864444, -0.0000105846, -0.0000357331}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Enu enu = LocalFrame(c.origin).toEnu(c.point);
        EXPECT_NEAR(enu.east, c.expected.east, kMillimetre);
        EXPECT_NEAR(enu.north, c.expected.north, kMillimetre);
        EXPECT_NEAR(enu.up, c.expected.up, kMillimetre);
    }
}

} // namespace
} // namespace norvane::test
