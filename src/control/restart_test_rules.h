#pragma once

#include <string>

namespace norvane {

// Cycle counts and wait times are kept within these bounds.
constexpr int kRestartTestMinimum = 1;
constexpr int kRestartTestMaximum = 10000;

// What ed_cycles and ed_waittime hold after losing focus: "1" for 0, negatives and
// non-numbers, "10000" above it, otherwise the text unchanged.
std::string rangeCorrectedText(const std::string& text);

// The cycle count or wait time a run starts with: the integer of the field's text kept
// within 1..10000.
int runValueOfText(const std::string& text);

// Ten times the average TTFF of a finished run, cut: total * 10 / cycles.
int tenTimesAverage(int total, int cycles);

// Ten times an average shown with one decimal, "%4.1f": 306 gives "30.6", 50 gives " 5.0".
std::string averageText(int tenTimes);

} // namespace norvane
