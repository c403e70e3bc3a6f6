#include "view/shown_satellites.h"
#include "view/snr_bars.h"

#include <gtest/gtest.h>
#include <vector>

namespace norvane {
namespace {

struct Satellite {
    int prn;
    int elevation;
    int azimuth;
    int snr;
    int status = kSatInView;
};

// The bars the chart draws for the table as it stands.
std::vector<SnrBar> barsOf(const ReceiverState& state)
{
    return snrBars(shownSatellites(state)).bars;
}

ReceiverState stateWith(const std::vector<Satellite>& satellites, const std::vector<int>& used)
{
    ReceiverState state;
    state.sats_in_view = static_cast<int>(satellites.size());
    for (std::size_t i = 0; i < satellites.size(); ++i) {
        state.sat_prn[i] = satellites[i].prn;
        state.sat_elevation[i] = satellites[i].elevation;
        state.sat_azimuth[i] = satellites[i].azimuth;
        state.sat_snr[i] = satellites[i].snr;
        state.sat_status[i] = satellites[i].status;
    }
    for (std::size_t slot = 0; slot < used.size(); ++slot)
        state.used_prns[slot] = used[slot];
    return state;
}

TEST(SnrMarking, NoSatellitesInViewGiveNoBarsAndMarkNothing)
{
    ReceiverState state = stateWith({}, {5, 12});
    state.sat_prn[0] = 5;
    state.sat_snr[0] = 40;
    state.sat_elevation[0] = 30;
    markUsedSatellites(state);
    EXPECT_EQ(state.sat_status[0], kSatInView);
    EXPECT_TRUE(barsOf(state).empty());
}

TEST(SnrMarking, UsedWithoutSignalOrPositionBecomesSilver)
{
    ReceiverState state =
        stateWith({{7, 40, 120, 0}, {8, 0, 0, 35}, {9, 0, 90, 33}, {10, 45, 0, 31}}, {7, 8, 9, 10});
    markUsedSatellites(state);
    EXPECT_EQ(state.sat_status[0], kSatUsedWithoutSignal) << "SNR 0";
    EXPECT_EQ(state.sat_status[1], kSatUsedWithoutSignal) << "elevation and azimuth both 0";
    EXPECT_EQ(state.sat_status[2], kSatUsed) << "only the elevation is 0";
    EXPECT_EQ(state.sat_status[3], kSatUsed) << "only the azimuth is 0";

    const auto bars = barsOf(state);
    ASSERT_EQ(bars.size(), 4u);
    EXPECT_EQ(bars[0].colour, kSilver);
    EXPECT_EQ(bars[0].height, 0);
    EXPECT_EQ(bars[1].colour, kSilver);
    EXPECT_EQ(bars[1].height, 35);
    EXPECT_EQ(bars[2].colour, kBlue);
}

TEST(SnrMarking, SixInViewWithThreeUsedKeepTableOrder)
{
    ReceiverState state = stateWith({{30, 10, 40, 38},
                                     {2, 50, 60, 20},
                                     {12, 70, 200, 44},
                                     {25, 20, 300, 0},
                                     {5, 35, 100, 0},
                                     {17, 15, 10, 29}},
                                    {5, 12, 30});
    markUsedSatellites(state);
    const auto bars = barsOf(state);
    ASSERT_EQ(bars.size(), 6u);

    const std::vector<std::string> prns{"30", "2", "12", "25", "5", "17"};
    const std::vector<int> heights{38, 20, 44, 0, 0, 29};
    const std::vector<Rgb> colours{kBlue, kWhite, kBlue, kWhite, kSilver, kWhite};
    for (std::size_t i = 0; i < bars.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(bars[i].x, static_cast<int>(i) + 1);
        EXPECT_EQ(bars[i].label, prns[i]);
        EXPECT_EQ(bars[i].height, heights[i]);
        EXPECT_EQ(bars[i].colour, colours[i]);
    }
}

TEST(SnrMarking, PrnZeroIsNeverUsedThoughEmptySlotsAreZero)
{
    ReceiverState state = stateWith({{0, 40, 40, 30}, {4, 40, 80, 30}}, {4});
    markUsedSatellites(state);
    EXPECT_EQ(state.sat_status[0], kSatInView);
    EXPECT_EQ(state.sat_status[1], kSatUsed);
}

TEST(SnrMarking, OnlyAsManySlotsAsSatellitesInViewAreSearched)
{
    // Three in view, but the receiver lists PRN 21 in its fourth slot.
    ReceiverState state = stateWith({{21, 40, 40, 30}, {22, 40, 80, 30}, {23, 40, 120, 30}}, {0, 0, 22, 21});
    markUsedSatellites(state);
    EXPECT_EQ(state.sat_status[0], kSatInView) << "PRN 21 stands in slot 3, past the count";
    EXPECT_EQ(state.sat_status[1], kSatUsed) << "PRN 22 stands in slot 2, the last one searched";
    EXPECT_EQ(state.sat_status[2], kSatInView);
}

TEST(SnrMarking, StatusIsNeverSetBackHere)
{
    ReceiverState state = stateWith({{3, 40, 40, 30, kSatUsed}, {6, 40, 80, 0, kSatUsedWithoutSignal}}, {});
    markUsedSatellites(state);
    EXPECT_EQ(state.sat_status[0], kSatUsed);
    EXPECT_EQ(state.sat_status[1], kSatUsedWithoutSignal);

    // A used satellite that reports its SNR again turns from silver to blue once the GSV
    // decoder has put its status back to 0.
    state.sat_snr[1] = 37;
    state.sat_status[1] = kSatInView;
    state.used_prns[0] = 6;
    markUsedSatellites(state);
    EXPECT_EQ(state.sat_status[1], kSatUsed);
}

TEST(SnrMarking, UnknownStatusGetsNoBarButKeepsItsSlot)
{
    ReceiverState state = stateWith({{3, 40, 40, 30}, {6, 40, 80, 20, 55}, {9, 40, 90, 25}}, {});
    const auto bars = barsOf(state);
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(bars[0].label, "3");
    EXPECT_EQ(bars[1].label, "9");
    EXPECT_EQ(bars[1].x, 3);
}

TEST(SnrMarking, CountBeyondTheTableReadsOnlyItsSlots)
{
    ReceiverState state;
    state.sats_in_view = 99;
    for (int i = 0; i < kSatelliteSlots; ++i)
        state.sat_prn[i] = i + 1;
    markUsedSatellites(state);
    EXPECT_EQ(barsOf(state).size(), static_cast<std::size_t>(kSatelliteSlots));

    state.sats_in_view = -3;
    EXPECT_TRUE(barsOf(state).empty());
}

} // namespace
} // namespace norvane
