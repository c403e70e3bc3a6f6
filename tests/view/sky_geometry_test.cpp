#include "view/shown_satellites.h"
#include "view/sky_geometry.h"

#include <gtest/gtest.h>

namespace norvane {
namespace {

TEST(SkyGeometry, PositionsAreTruncatedPolarCoordinates)
{
    EXPECT_EQ(skyPosition(0, 0), (SkyPoint{100, 25})) << "top of the horizon";
    EXPECT_EQ(skyPosition(60, 30), (SkyPoint{118, 67})) << "118.75, 67.52";
    EXPECT_EQ(skyPosition(30, 200), (SkyPoint{77, 161})) << "77.8, 161.0";
    EXPECT_EQ(skyPosition(90, 123), (SkyPoint{100, 100})) << "zenith";
    EXPECT_EQ(skyPosition(0, 90), (SkyPoint{175, 100})) << "east is to the right";
    EXPECT_EQ(skyPosition(0, 270), (SkyPoint{25, 100})) << "west is to the left";
    EXPECT_EQ(skyPosition(0, 180), (SkyPoint{100, 175})) << "south is down";
    EXPECT_EQ(skyPosition(45, 0), (SkyPoint{100, 46})) << "on the 45-degree ring, 53 from the centre";
}

TEST(SkyGeometry, LabelStartsLeftOfCentreByItsWidth)
{
    const SkyDisc one = skyDisc(7, 60, 30, kSatInView);
    EXPECT_EQ(one.labelOrigin, (SkyPoint{116, 60}));
    const SkyDisc nine = skyDisc(9, 60, 30, kSatInView);
    EXPECT_EQ(nine.labelOrigin, (SkyPoint{116, 60}));
    const SkyDisc ten = skyDisc(10, 60, 30, kSatInView);
    EXPECT_EQ(ten.labelOrigin, (SkyPoint{113, 60}));
    const SkyDisc twelve = skyDisc(12, 0, 0, kSatInView);
    EXPECT_EQ(twelve.labelOrigin, (SkyPoint{95, 18}));
}

TEST(SkyGeometry, ColoursFollowTheStatus)
{
    const SkyDisc used = skyDisc(3, 10, 10, kSatUsed);
    EXPECT_EQ(used.fill, kBlue);
    EXPECT_EQ(used.label, kWhite);
    const SkyDisc silent = skyDisc(3, 10, 10, kSatUsedWithoutSignal);
    EXPECT_EQ(silent.fill, kSilver);
    EXPECT_EQ(silent.label, kRed);
    const SkyDisc seen = skyDisc(3, 10, 10, kSatInView);
    EXPECT_EQ(seen.fill, kWhite);
    EXPECT_EQ(seen.label, kBlack);
    const SkyDisc odd = skyDisc(3, 10, 10, 7);
    EXPECT_EQ(odd.fill, kWhite) << "a status that is not a used one draws as not used";
}

// The sky plot draws one disc per satellite shown, in the table's order: later ones cover
// earlier ones.
TEST(SkyGeometry, DiscsFollowTheTableInOrder)
{
    ReceiverState state;
    state.sats_in_view = 3;
    const int prns[] = {14, 2, 31};
    for (int i = 0; i < 3; ++i) {
        state.sat_prn[i] = prns[i];
        state.sat_elevation[i] = 10 * i;
        state.sat_azimuth[i] = 40 * i;
    }
    state.sat_status[1] = kSatUsed;
    state.sat_prn[3] = 99; // beyond the count: not drawn

    const auto shown = shownSatellites(state).satellites;
    ASSERT_EQ(shown.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const SkyDisc disc = skyDisc(shown[i].prn, shown[i].elevation, shown[i].azimuth, shown[i].status);
        EXPECT_EQ(disc.prn, prns[i]);
        EXPECT_EQ(disc.centre, skyPosition(10 * i, 40 * i));
        EXPECT_EQ(disc.fill, i == 1 ? kBlue : kWhite);
    }

    state.sats_in_view = 0;
    EXPECT_TRUE(shownSatellites(state).satellites.empty());
    state.sats_in_view = 41;
    EXPECT_EQ(shownSatellites(state).satellites.size(), static_cast<std::size_t>(kSatelliteSlots));
}

} // namespace
} // namespace norvane
