#include "survey/scatter_zoom.h"

#include "view/axis_ticks.h"

#include <algorithm>
#include <cmath>

namespace norvane {

namespace {

constexpr double kRoomBeyondFarthest = 1.1;
// A view more than this much wider than the fitted one shrinks: two 1-2-5 steps, so that a
// farthest fix near a step's edge does not flip the view to and fro.
constexpr double kTooWide = 2.5;

double withinLimits(double halfSpan)
{
    return std::clamp(halfSpan, kSmallestScatterHalfSpan, kLargestScatterHalfSpan);
}

} // namespace

ScatterZoom fittedZoom(double farthest)
{
    // tickStep with one tick: the smallest 1-2-5 value at least as large as the span.
    return {withinLimits(tickStep(farthest * kRoomBeyondFarthest, 1)), true};
}

ScatterZoom zoomedIn(const ScatterZoom& zoom)
{
    return {withinLimits(zoom.halfSpan / 2), false};
}

ScatterZoom zoomedOut(const ScatterZoom& zoom)
{
    return {withinLimits(zoom.halfSpan * 2), false};
}

std::optional<ScatterZoom> followedZoom(const ScatterZoom& zoom, double farthest)
{
    if (!zoom.following || !std::isfinite(farthest))
        return std::nullopt;
    const ScatterZoom fitted = fittedZoom(farthest);
    if (farthest > zoom.halfSpan || fitted.halfSpan * kTooWide < zoom.halfSpan)
        return fitted;
    return std::nullopt;
}

} // namespace norvane
