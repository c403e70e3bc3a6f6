#include "control/restart_test_rules.h"

#include "text/number_format.h"
#include "text/number_text.h"

#include <algorithm>

namespace norvane {

std::string rangeCorrectedText(const std::string& text)
{
    std::string corrected = text;
    if (integerOfText(corrected) <= 0)
        corrected = std::to_string(kRestartTestMinimum);
    if (integerOfText(corrected) > kRestartTestMaximum)
        corrected = std::to_string(kRestartTestMaximum);
    return corrected;
}

int runValueOfText(const std::string& text)
{
    return std::clamp(integerOfText(text), kRestartTestMinimum, kRestartTestMaximum);
}

int tenTimesAverage(int total, int cycles)
{
    return total * 10 / cycles;
}

std::string averageText(int tenTimes)
{
    return formatText("%4.1f", tenTimes * 0.1);
}

} // namespace norvane
