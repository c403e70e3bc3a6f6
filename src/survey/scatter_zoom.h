#pragma once

#include <optional>

namespace norvane {

// How much of the scatter the window shows: the metres from the reference, at the centre, to
// the nearer edge of the plot. Following, the view keeps every fix in sight as the run goes on
// and changes only in 1-2-5 steps, so that the cached picture of the fixes is seldom drawn again;
// a zoom by hand stops following until Fit.
struct ScatterZoom {
    double halfSpan = 1.0;
    bool following = true;

    bool operator==(const ScatterZoom&) const = default;
};

inline constexpr double kSmallestScatterHalfSpan = 0.01;
inline constexpr double kLargestScatterHalfSpan = 1e7;

// The smallest 1-2-5 half-span that leaves a tenth of room beyond the farthest fix, following.
ScatterZoom fittedZoom(double farthest);
// Half or twice the half-span, within the limits; following ends.
ScatterZoom zoomedIn(const ScatterZoom& zoom);
ScatterZoom zoomedOut(const ScatterZoom& zoom);
// While following: the fitted zoom once the farthest fix has left the view, or once the view is
// more than twice as wide as the fitted one would be; nothing while the view still suits.
std::optional<ScatterZoom> followedZoom(const ScatterZoom& zoom, double farthest);

} // namespace norvane
