#include "view/view_point_plot.h"

#include <cmath>
#include <limits>

namespace norvane {

namespace {

// The chart hands its limits out in single precision; the spans and zoomed limits are
// worked from those rounded values, which matters at the size of ddmm.mmmm x 10.
AxisLimits readLimits(const AxisLimits& limits)
{
    return {static_cast<float>(limits.minimum), static_cast<float>(limits.maximum)};
}

double span(const AxisLimits& limits)
{
    return limits.maximum - limits.minimum;
}

AxisLimits centredAxis(const AxisLimits& limits, double centre)
{
    const double half = span(readLimits(limits)) * 0.5;
    return {centre - half, centre + half};
}

AxisLimits widened(const AxisLimits& limits, double by)
{
    const AxisLimits read = readLimits(limits);
    return {read.minimum - by, read.maximum + by};
}

} // namespace

ViewAxes centredOn(const ViewAxes& axes, double x, double y)
{
    return {centredAxis(axes.bottom, x), centredAxis(axes.left, y)};
}

ViewAxes zoomedOut(const ViewAxes& axes)
{
    return {widened(axes.bottom, kZoomStep), widened(axes.left, kZoomStep)};
}

ViewAxes zoomedIn(const ViewAxes& axes)
{
    const double smallest = 2 * kZoomStep;
    if (span(readLimits(axes.bottom)) > smallest && span(readLimits(axes.left)) > smallest)
        return {widened(axes.bottom, -kZoomStep), widened(axes.left, -kZoomStep)};
    return axes;
}

bool viewPointPlottable(double latitude, double longitude)
{
    constexpr double largest = std::numeric_limits<float>::max() / 10;
    return std::fabs(latitude) <= largest && std::fabs(longitude) <= largest;
}

void addViewPoint(PointSeries& series, ViewAxes& axes, double latitude, double longitude)
{
    if (!viewPointPlottable(latitude, longitude))
        return;
    if (series.count() > kMaxViewPoints - 1)
        series.deleteFirst();
    const ChartPoint point{longitude * 10, latitude * 10};
    series.add(point);
    axes = centredOn(axes, point.x, point.y);
}

} // namespace norvane
