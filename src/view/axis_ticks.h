#pragma once

#include <string>
#include <vector>

namespace norvane {

// The numbered marks of a chart axis: round values (1, 2 or 5 times a power of ten apart)
// between minimum and maximum, at most maxTicks of them.
std::vector<double> axisTicks(double minimum, double maximum, int maxTicks);

// The distance between two neighbouring ticks of axisTicks.
double tickStep(double span, int maxTicks);

// The multiples of `step` between minimum and maximum: the ticks of a step chosen elsewhere (a
// plot drawn to the same scale across and up gives both axes one step).
std::vector<double> ticksOfStep(double minimum, double maximum, double step);

// A tick's number with just the decimals its step needs ("120400", "0.5", "-2.25").
std::string tickText(double value, double step);

// The top of an automatic value axis for bars that stand on 0: the highest bar rounded up to
// the next round value, so the tallest bar never touches the frame.
double automaticValueTop(double highest);

} // namespace norvane
