#include "view/point_series.h"

#include <algorithm>

namespace norvane {

void PointSeries::add(ChartPoint point)
{
    const auto place = std::upper_bound(points_.begin(), points_.end(), point.x,
                                        [](double x, const ChartPoint& p) { return x < p.x; });
    points_.insert(place, point);
}

void PointSeries::deleteFirst()
{
    if (!points_.empty())
        points_.erase(points_.begin());
}

} // namespace norvane
