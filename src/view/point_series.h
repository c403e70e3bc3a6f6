#pragma once

#include <cstddef>
#include <vector>

namespace norvane {

struct ChartPoint {
    double x = 0;
    double y = 0;
};

// The points of a point chart, kept in ascending x. A new point goes after any points with
// the same x, so among equal x the older stays first.
class PointSeries {
public:
    void add(ChartPoint point);
    void deleteFirst();
    void clear() { points_.clear(); }

    std::size_t count() const { return points_.size(); }
    const std::vector<ChartPoint>& points() const { return points_; }

private:
    std::vector<ChartPoint> points_;
};

} // namespace norvane
