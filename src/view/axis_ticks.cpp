#include "view/axis_ticks.h"

#include "text/number_format.h"

#include <algorithm>
#include <cmath>

namespace norvane {

namespace {

// More than any axis asks for (tickStep gives at most about maxTicks); bounds the work for
// limits that make no sense, such as a position of 5e17 from a corrupt sentence.
constexpr double kMostTicks = 64;

} // namespace

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
    return ticksOfStep(minimum, maximum, tickStep(maximum - minimum, maxTicks));
}

std::vector<double> ticksOfStep(double minimum, double maximum, double step)
{
    if (!std::isfinite(minimum) || !std::isfinite(maximum) || !(step > 0))
        return {};
    if (!(maximum > minimum))
        return {minimum};
    // Counting whole steps rather than adding them keeps 0.1 + 0.2 style drift out of the labels.
    const double first = std::ceil(minimum / step - 1e-9);
    const double last = std::floor(maximum / step + 1e-9);
    // Far from zero a step can be lost in rounding (first + 1 == first), and a span wider than
    // a double's range overflows; the count is bounded and the steps counted in integers.
    const double wanted = last - first;
    const int count = wanted >= 0 && wanted <= kMostTicks ? static_cast<int>(wanted) : 0;
    std::vector<double> ticks;
    for (int k = 0; k <= count; ++k) {
        const double value = (first + k) * step;
        if (!std::isfinite(value) || (!ticks.empty() && value <= ticks.back()))
            break;
        ticks.push_back(value);
    }
    return ticks;
}

std::string tickText(double value, double step)
{
    const int decimals =
        step >= 1.0 ? 0 : std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)), 0, 9);
    if (std::fabs(value) < step * 1e-6)
        value = 0.0;
    return fixedText(value, decimals);
}

double automaticValueTop(double highest)
{
    if (!(highest > 0))
        return 10.0;
    const double step = tickStep(highest, 5);
    return std::ceil(highest / step) * step;
}

} // namespace norvane
