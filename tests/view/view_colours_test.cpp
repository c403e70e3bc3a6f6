#include "view/view_colours.h"

#include <gtest/gtest.h>

namespace norvane {
namespace {

struct Pair {
    Rgb one;
    Rgb other;
    double ratio; // as the accessibility guidelines' own examples and checkers give it
};

const Pair kPairs[] = {
    {kBlack, kWhite, 21.0},  {kWhite, kWhite, 1.0}, {{0x77, 0x77, 0x77}, kWhite, 4.48}, {kBlue, kWhite, 8.59},
    {kSilver, kWhite, 1.82}, {kRed, kBlack, 5.25},  {kSkyBlue, kWhite, 1.70},
};

TEST(ContrastRatio, AsTheAccessibilityGuidelinesDefineIt)
{
    for (const Pair& pair : kPairs) {
        EXPECT_NEAR(contrastRatio(pair.one, pair.other), pair.ratio, 0.01);
        EXPECT_DOUBLE_EQ(contrastRatio(pair.other, pair.one), contrastRatio(pair.one, pair.other));
    }
}

} // namespace
} // namespace norvane
