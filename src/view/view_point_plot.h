#pragma once

#include "view/point_series.h"

namespace norvane {

struct AxisLimits {
    double minimum = 0;
    double maximum = 0;
};

// The limits of the view-point chart: bottom carries x (longitude), left carries y (latitude).
struct ViewAxes {
    AxisLimits bottom;
    AxisLimits left;
};

// The limits the window starts with.
constexpr ViewAxes kInitialViewAxes{{-1024, 1024}, {-1024, 1024}};

// The chart keeps at most this many positions.
constexpr int kMaxViewPoints = 11;
// Each zoom click moves each end of each axis by this much.
constexpr double kZoomStep = 8;

// Whether the position can be shown at all: its point must be finite in the chart's single
// precision. A corrupt sentence can carry anything.
bool viewPointPlottable(double latitude, double longitude);

// Adds the position (ddmm.mmmm values, as the receiver state holds them) as the point
// (longitude x 10, latitude x 10) and re-centres both axes on it, keeping their spans. When
// the series is full, its first point (smallest x) makes room. A position that is not
// plottable is ignored.
void addViewPoint(PointSeries& series, ViewAxes& axes, double latitude, double longitude);

ViewAxes centredOn(const ViewAxes& axes, double x, double y);
ViewAxes zoomedOut(const ViewAxes& axes);
// Unchanged unless both spans exceed twice the zoom step.
ViewAxes zoomedIn(const ViewAxes& axes);

} // namespace norvane
