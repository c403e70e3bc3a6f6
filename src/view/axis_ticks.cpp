#include "view/axis_ticks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace norvane {

double tickStep(double span, int maxTicks)
{
    if (!(span > 0) || maxTicks < 1 || !std::isfinite(span))
        return 1.0;
    const double rough = span / maxTicks;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * power >= rough)
            return factor * power;
    }
    return 10.0 * power;
}

std::vector<double> axisTicks(double minimum, double maximum, int maxTicks)
{
    if (!(maximum > minimum) || !std::isfinite(minimum) || !std::isfinite(maximum))
        return {minimum};
    const double step = tickStep(maximum - minimum, maxTicks);
    // Counting whole steps rather than adding them keeps 0.1 + 0.2 style drift out of the labels.
    const double first = std::ceil(minimum / step - 1e-9);
    const double last = std::floor(maximum / step + 1e-9);
    std::vector<double> ticks;
    for (double k = first; k <= last; k += 1.0)
        ticks.push_back(k * step);
    return ticks;
}

std::string tickText(double value, double step)
{
    const int decimals =
        step >= 1.0 ? 0 : std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)), 0, 9);
    if (std::fabs(value) < step * 1e-6)
        value = 0.0;
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

double automaticValueTop(double highest)
{
    if (!(highest > 0))
        return 10.0;
    const double step = tickStep(highest, 5);
    return std::ceil(highest / step) * step;
}

} // namespace norvane
