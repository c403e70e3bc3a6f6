#include "view/view_point_plot.h"

#include <gtest/gtest.h>
#include <vector>

namespace norvane {
namespace {

std::vector<double> xs(const PointSeries& series)
{
    std::vector<double> values;
    for (const ChartPoint& point : series.points())
        values.push_back(point.x);
    return values;
}

double span(const AxisLimits& limits)
{
    return limits.maximum - limits.minimum;
}

TEST(PointSeries, KeepsAscendingXWithEqualXInArrivalOrder)
{
    PointSeries series;
    series.add({5, 1});
    series.add({3, 0});
    series.add({5, 2});
    series.add({9, 0});
    series.add({5, 3});
    ASSERT_EQ(xs(series), (std::vector<double>{3, 5, 5, 5, 9}));
    EXPECT_EQ(series.points()[1].y, 1);
    EXPECT_EQ(series.points()[2].y, 2);
    EXPECT_EQ(series.points()[3].y, 3);

    series.deleteFirst();
    EXPECT_EQ(xs(series), (std::vector<double>{5, 5, 5, 9}));
    series.clear();
    series.deleteFirst();
    EXPECT_EQ(series.count(), 0u);
}

TEST(ViewPointPlot, FirstPlotCentresOnThePosition)
{
    PointSeries series;
    ViewAxes axes = kInitialViewAxes;
    addViewPoint(series, axes, 2459.2057, 12130.1234);

    ASSERT_EQ(series.count(), 1u);
    EXPECT_DOUBLE_EQ(series.points()[0].x, 121301.234);
    EXPECT_DOUBLE_EQ(series.points()[0].y, 24592.057);
    EXPECT_NEAR(axes.bottom.minimum, 120277.234, 1e-6);
    EXPECT_NEAR(axes.bottom.maximum, 122325.234, 1e-6);
    EXPECT_NEAR(axes.left.minimum, 23568.057, 1e-6);
    EXPECT_NEAR(axes.left.maximum, 25616.057, 1e-6);
}

TEST(ViewPointPlot, SpansAreReadInSinglePrecision)
{
    // 0.1 and 2048.1 are not exact in single precision; the span read is 2048.0000977.
    const ViewAxes axes{{0.1, 2048.1}, {-0.1, 2047.9}};
    const double bottomHalf =
        (static_cast<double>(static_cast<float>(2048.1)) - static_cast<float>(0.1)) * 0.5;
    const ViewAxes centred = centredOn(axes, 0, 0);
    EXPECT_GT(bottomHalf - 1024.0, 1e-5);
    EXPECT_DOUBLE_EQ(centred.bottom.maximum, bottomHalf);
    EXPECT_DOUBLE_EQ(centred.bottom.minimum, -bottomHalf);

    const ViewAxes wider = zoomedOut(axes);
    EXPECT_DOUBLE_EQ(wider.bottom.minimum, static_cast<float>(0.1) - 8.0);
    EXPECT_DOUBLE_EQ(wider.left.maximum, static_cast<float>(2047.9) + 8.0);
    EXPECT_GT(wider.bottom.minimum - (0.1 - 8.0), 1e-9);
}

TEST(ViewPointPlot, TwelveRisingPositionsDropTheOldest)
{
    PointSeries series;
    ViewAxes axes = kInitialViewAxes;
    for (int i = 0; i < 12; ++i)
        addViewPoint(series, axes, 2459.0 + i * 0.001, 12130.0 + i);
    ASSERT_EQ(series.count(), 11u);
    EXPECT_DOUBLE_EQ(series.points().front().x, 121310.0) << "the first position is gone";
    EXPECT_DOUBLE_EQ(series.points().back().x, 121410.0);
    EXPECT_NEAR(axes.bottom.minimum + span(axes.bottom) / 2, 121410.0, 1e-6) << "centred on the newest";
}

TEST(ViewPointPlot, TwelveFallingPositionsDropThePreviousOne)
{
    PointSeries series;
    ViewAxes axes = kInitialViewAxes;
    for (int i = 0; i < 12; ++i)
        addViewPoint(series, axes, 2459.0, 100.0 - i);
    // Before the twelfth, the smallest x is the eleventh position (x 900); it is deleted, so the
    // chart keeps the ten earliest (largest x) and the newest.
    std::vector<double> expected{890};
    for (int x = 910; x <= 1000; x += 10)
        expected.push_back(x);
    EXPECT_EQ(xs(series), expected);
}

TEST(ViewPointPlot, UnknownPositionPlotsAtTheOrigin)
{
    PointSeries series;
    ViewAxes axes = kInitialViewAxes;
    addViewPoint(series, axes, 0, 0);
    EXPECT_DOUBLE_EQ(series.points()[0].x, 0);
    EXPECT_DOUBLE_EQ(series.points()[0].y, 0);
    EXPECT_DOUBLE_EQ(axes.bottom.minimum, -1024);
    EXPECT_DOUBLE_EQ(axes.left.maximum, 1024);
}

TEST(ViewPointZoom, EachClickMovesBothEndsByEight)
{
    const ViewAxes out = zoomedOut(kInitialViewAxes);
    EXPECT_DOUBLE_EQ(out.bottom.minimum, -1032);
    EXPECT_DOUBLE_EQ(out.bottom.maximum, 1032);
    EXPECT_DOUBLE_EQ(out.left.minimum, -1032);
    EXPECT_DOUBLE_EQ(out.left.maximum, 1032);

    const ViewAxes in = zoomedIn(kInitialViewAxes);
    EXPECT_DOUBLE_EQ(in.bottom.minimum, -1016);
    EXPECT_DOUBLE_EQ(in.left.maximum, 1016);
}

TEST(ViewPointZoom, ZoomInStopsAtSpanSixteen)
{
    ViewAxes axes = kInitialViewAxes;
    int clicks = 0;
    for (;;) {
        const ViewAxes next = zoomedIn(axes);
        if (next.bottom.minimum == axes.bottom.minimum)
            break;
        axes = next;
        ++clicks;
    }
    EXPECT_EQ(clicks, 127);
    EXPECT_DOUBLE_EQ(span(axes.bottom), 16);
    EXPECT_DOUBLE_EQ(span(axes.left), 16);

    const ViewAxes wider = zoomedOut(axes);
    EXPECT_DOUBLE_EQ(span(wider.bottom), 32);
    EXPECT_DOUBLE_EQ(span(wider.left), 32);
}

TEST(ViewPointZoom, OneNarrowAxisBlocksZoomInForBoth)
{
    const ViewAxes narrowLeft{{100, 120}, {50, 66}};
    const ViewAxes afterLeft = zoomedIn(narrowLeft);
    EXPECT_DOUBLE_EQ(afterLeft.bottom.minimum, 100);
    EXPECT_DOUBLE_EQ(afterLeft.bottom.maximum, 120);
    EXPECT_DOUBLE_EQ(afterLeft.left.minimum, 50);

    const ViewAxes narrowBottom{{100, 116}, {50, 70}};
    EXPECT_DOUBLE_EQ(zoomedIn(narrowBottom).left.maximum, 70);

    const ViewAxes bothWide{{100, 117}, {50, 67}};
    EXPECT_DOUBLE_EQ(zoomedIn(bothWide).bottom.minimum, 108);
    EXPECT_DOUBLE_EQ(zoomedIn(bothWide).left.maximum, 59);
}

TEST(ViewPointPlot, NewPositionKeepsAZoomedSpan)
{
    PointSeries series;
    ViewAxes axes = zoomedIn(zoomedIn(kInitialViewAxes));
    addViewPoint(series, axes, 10, 20);
    EXPECT_DOUBLE_EQ(axes.bottom.minimum, 200 - 1008);
    EXPECT_DOUBLE_EQ(axes.bottom.maximum, 200 + 1008);
    EXPECT_DOUBLE_EQ(axes.left.minimum, 100 - 1008);
}

} // namespace
} // namespace norvane
