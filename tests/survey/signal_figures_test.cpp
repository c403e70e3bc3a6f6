// The signal strength figures on epochs worked out by hand. The dual-band recording's figures,
// through the receive loop and the survey, are checked end to end with norvane-survey.
#include "survey/signal_figures.h"

#include <gtest/gtest.h>

namespace norvane::test {
namespace {

constexpr int kNotHeard = -1;

// A satellite as the views show it, heard on L1 and L5 with these C/N0 (kNotHeard: not on that band).
ShownSatellite satellite(GnssSystem system, int prn, int l1, int l5, bool used)
{
    ShownSatellite s{system, prn, 30, 100, l1 != kNotHeard ? l1 : l5, used ? kSatUsed : kSatInView};
    if (l1 != kNotHeard) {
        s.bands |= bandBit(Band::L1);
        s.bandSnr[static_cast<int>(Band::L1)] = l1;
    }
    if (l5 != kNotHeard) {
        s.bands |= bandBit(Band::L5);
        s.bandSnr[static_cast<int>(Band::L5)] = l5;
    }
    return s;
}

SatelliteShowing showing(std::vector<ShownSatellite> satellites)
{
    return {std::move(satellites), false, false};
}

// Three epochs after one that shows nothing yet, worked out by hand:
//   epoch 1: L1 40 35 31 45 38 (and a G at 0): mean 37.8, top-4 (45 40 38 35) 39.5;
//            L5 43 40 33: 38.667 both; G 5 in view, 3 used, 37.75; R 1, 1, 38; E 1, 0, none
//   epoch 2: L1 44 38: 41 both; L5 46: 46 both; G 2, 2, 41; R 1 used at 0: 1, 1, none
//   epoch 3: one G at 0 in view: no C/N0 at all; G 1, 0
//   run: C/N0 (37.8 + 41) / 2 = 39.4, top-4 (39.5 + 41) / 2 = 40.25, L5 (38.667 + 46) / 2 = 42.333;
//        G in view 8 / 3, used 5 / 3, C/N0 (37.75 + 41) / 2 = 39.375; R 2 / 3, 2 / 3, 38; E 1 / 3, 0, none
TEST(SignalFigures, HandCheckedEpochs)
{
    using enum GnssSystem;
    SignalFigures figures;
    figures.addEpoch(showing({}));
    figures.addEpoch(showing({satellite(Gps, 1, 40, 43, true), satellite(Gps, 2, 35, kNotHeard, true),
                              satellite(Gps, 3, 31, kNotHeard, false), satellite(Gps, 4, 0, kNotHeard, false),
                              satellite(Gps, 5, 45, 40, true), satellite(Glonass, 65, 38, kNotHeard, true),
                              satellite(Galileo, 1, kNotHeard, 33, false)}));
    figures.addEpoch(showing({satellite(Gps, 1, 44, 46, true), satellite(Gps, 2, 38, kNotHeard, true),
                              satellite(Glonass, 65, 0, kNotHeard, true)}));
    figures.addEpoch(showing({satellite(Gps, 1, 0, kNotHeard, false)}));

    const SignalSummary run = figures.summary();
    EXPECT_EQ(run.epochs, 3);
    const std::vector<Figure> list = signalFigureList(run);
    ASSERT_EQ(list.size(), 4u);
    const std::pair<const char*, double> expected[] = {{"cn0_mean", 39.4},
                                                       {"cn0_top4_mean", 40.25},
                                                       {"cn0_l5_mean", 127.0 / 3},
                                                       {"cn0_l5_top4_mean", 127.0 / 3}};
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i].key, expected[i].first);
        ASSERT_TRUE(list[i].value) << list[i].key;
        EXPECT_NEAR(*list[i].value, expected[i].second, 1e-9) << list[i].key;
    }
    EXPECT_EQ(systemsJson(run), "{\"G\":{\"in_view_mean\":2.7,\"used_mean\":1.7,\"cn0_mean\":39.4},"
                                "\"R\":{\"in_view_mean\":0.7,\"used_mean\":0.7,\"cn0_mean\":38.0},"
                                "\"E\":{\"in_view_mean\":0.3,\"used_mean\":0.0,\"cn0_mean\":null}}");
    EXPECT_EQ(systemSummaryLines(run).back(), "E  in view 0.3  used 0.0  C/N0 -");

    // A receiver without L5 has no L5 figures.
    SignalFigures l1Only;
    l1Only.addEpoch(showing({satellite(Gps, 7, 41, kNotHeard, true)}));
    EXPECT_FALSE(l1Only.summary().cn0L5Mean || l1Only.summary().cn0L5Top4Mean);
    EXPECT_EQ(l1Only.summary().cn0Top4Mean, 41.0);
}

} // namespace
} // namespace norvane::test
