#include "decode/nmea_decoders.h"
#include "decode/nmea_fields.h"
#include "text/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace norvane {

namespace {

struct DigitPairs {
    int high = 0;
    int middle = 0;
    int low = 0;
};

// Splits a number written as aabbcc(.fff) into its digit pairs. Working on the whole part as an
// integer gives the pairs exactly; scaling the double by 0.0001 and 0.01 first would let a value
// such as 235959.999 come out one short in a pair. A number too large for the int fields gives
// zeros rather than an undefined conversion.
DigitPairs splitDigitPairs(double value)
{
    constexpr double kLargest = 2147483647.0 * 10000.0;
    if (!(std::fabs(value) < kLargest))
        return {};
    const auto whole = static_cast<std::int64_t>(value);
    DigitPairs pairs;
    pairs.high = static_cast<int>(whole / 10000);
    pairs.middle = static_cast<int>(whole / 100 - std::int64_t{pairs.high} * 100);
    pairs.low = static_cast<int>(whole - std::int64_t{pairs.high} * 10000 - std::int64_t{pairs.middle} * 100);
    return pairs;
}

} // namespace

void setTimeOfDay(ReceiverState& state, std::string_view text)
{
    const DigitPairs pairs = splitDigitPairs(textToNumber(text));
    state.utc_hour = pairs.high;
    state.utc_minute = pairs.middle;
    state.utc_second = pairs.low;
}

void setDate(ReceiverState& state, std::string_view text)
{
    const DigitPairs pairs = splitDigitPairs(textToNumber(text));
    state.date_day = pairs.high;
    state.date_month = pairs.middle;
    state.date_year = pairs.low;
}

std::optional<std::int64_t> millisecondsOfDay(std::string_view text)
{
    // Tested as ranges: looking each character up in a set costs a library call per character,
    // and the survey reads the time of every epoch of a recording.
    const auto timeCharacter = [](char ch) { return (ch >= '0' && ch <= '9') || ch == '.'; };
    if (text.empty() || !std::all_of(text.begin(), text.end(), timeCharacter))
        return std::nullopt;
    const double value = textToNumber(text);
    const DigitPairs pairs = splitDigitPairs(value);
    // 60 seconds is a leap second's.
    if (pairs.high > 23 || pairs.middle > 59 || pairs.low > 60)
        return std::nullopt;
    const auto fractionMs = static_cast<std::int64_t>(std::llround((value - std::trunc(value)) * 1000));
    return ((std::int64_t{pairs.high} * 60 + pairs.middle) * 60 + pairs.low) * 1000 + fractionMs;
}

} // namespace norvane
