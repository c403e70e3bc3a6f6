#include "control/restart_test_rules.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <limits>

namespace norvane {

int integerOfText(const std::string& text)
{
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }
    if (pos == text.size())
        return 0;
    long long value = 0;
    for (; pos < text.size(); ++pos) {
        if (!std::isdigit(static_cast<unsigned char>(text[pos])))
            return 0;
        // A long digit string still means "very large", so an oversized cycle count is cut to
        // the maximum rather than falling back to 1 like a non-number.
        value = std::min<long long>(value * 10 + (text[pos] - '0'), 1LL << 32);
    }
    if (negative)
        value = -value;
    return static_cast<int>(
        std::clamp<long long>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

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
    char text[32];
    std::snprintf(text, sizeof text, "%4.1f", tenTimes * 0.1);
    return text;
}

} // namespace norvane
