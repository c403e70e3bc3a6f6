#include "text/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace norvane {

namespace {

constexpr std::int64_t kIntegerMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kIntegerMin = std::numeric_limits<std::int32_t>::min();
// Magnitudes stop growing here: past every 32-bit magnitude, so a longer digit string still
// reads as "too large" without overflowing.
constexpr std::uint64_t kMagnitudeCap = std::uint64_t{1} << 32;

struct SignedText {
    bool negative = false;
    std::string_view unsignedText;
};

std::string_view withoutLeadingSpaces(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    return text;
}

SignedText splitSign(std::string_view text)
{
    SignedText split{false, text};
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        split.negative = text.front() == '-';
        split.unsignedText.remove_prefix(1);
    }
    return split;
}

// The value of one digit in `base` (10 or 16, letters in either case), or -1.
int digitValue(char ch, int base)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (base == 16 && ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (base == 16 && ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

std::size_t decimalDigitsAt(std::string_view text, std::size_t pos)
{
    std::size_t count = 0;
    while (pos + count < text.size() && digitValue(text[pos + count], 10) >= 0)
        ++count;
    return count;
}

// Nothing unless `digits` is one or more digits of `base` and nothing else.
std::optional<std::uint64_t> magnitudeOf(std::string_view digits, int base)
{
    if (digits.empty())
        return std::nullopt;
    std::uint64_t magnitude = 0;
    for (char ch : digits) {
        const int digit = digitValue(ch, base);
        if (digit < 0)
            return std::nullopt;
        magnitude = std::min<std::uint64_t>(magnitude * base + digit, kMagnitudeCap);
    }
    return magnitude;
}

// Digits, an optional '.', more digits, at least one digit in all; then an optional exponent
// with its own sign. No sign in front: the callers split it off.
bool isDecimalReal(std::string_view text)
{
    std::size_t pos = decimalDigitsAt(text, 0);
    std::size_t mantissaDigits = pos;
    if (pos < text.size() && text[pos] == '.') {
        const std::size_t fraction = decimalDigitsAt(text, pos + 1);
        mantissaDigits += fraction;
        pos += 1 + fraction;
    }
    if (mantissaDigits == 0)
        return false;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
            ++pos;
        const std::size_t exponent = decimalDigitsAt(text, pos);
        if (exponent == 0)
            return false;
        pos += exponent;
    }
    return pos == text.size();
}

// The value of a text of at most 15 digits and a point, read the quick way: the digits as a whole
// number and a power of ten are both exact as doubles, so their quotient is the correctly rounded
// value, the one the exact conversion gives. Nothing for a longer text or one with an exponent.
std::optional<double> quickValueOf(std::string_view text)
{
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    constexpr int kMostDigits = 15; // below 2^53
    std::uint64_t digits = 0;
    int count = 0;
    int decimals = -1; // none before a point
    for (const char ch : text) {
        if (ch == '.') {
            decimals = 0;
            continue;
        }
        if (ch < '0' || ch > '9' || ++count > kMostDigits)
            return std::nullopt;
        digits = digits * 10 + static_cast<std::uint64_t>(ch - '0');
        if (decimals >= 0)
            ++decimals;
    }
    return static_cast<double>(digits) / kPowersOfTen[std::max(decimals, 0)];
}

// The value of a text isDecimalReal accepts; nothing beyond the range of a double.
std::optional<double> realValueOf(std::string_view text)
{
    if (const auto quick = quickValueOf(text))
        return quick;
    double value = 0.0;
    const auto result =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (result.ec != std::errc())
        return std::nullopt;
    return value;
}

std::int64_t signedValue(const SignedText& number, std::uint64_t magnitude)
{
    const auto value = static_cast<std::int64_t>(magnitude);
    return number.negative ? -value : value;
}

} // namespace

std::int32_t textToInteger(std::string_view text)
{
    const SignedText number = splitSign(withoutLeadingSpaces(text));
    std::string_view digits = number.unsignedText;
    int base = 10;
    if (digits.size() > 2 && digits.starts_with("0x")) {
        base = 16;
        digits.remove_prefix(2);
    }
    const auto magnitude = magnitudeOf(digits, base);
    if (!magnitude)
        return 0;
    const std::int64_t value = signedValue(number, *magnitude);
    if (value < kIntegerMin || value > kIntegerMax)
        return 0;
    return static_cast<std::int32_t>(value);
}

double textToNumber(std::string_view text)
{
    return numberOfText(text).value_or(0.0);
}

std::optional<double> numberOfText(std::string_view text)
{
    const SignedText number = splitSign(text);
    if (!isDecimalReal(number.unsignedText))
        return std::nullopt;
    const auto magnitude = realValueOf(number.unsignedText);
    if (!magnitude)
        return std::nullopt;
    return number.negative ? -*magnitude : *magnitude;
}

int integerOfText(std::string_view text)
{
    const SignedText number = splitSign(text);
    const auto magnitude = magnitudeOf(number.unsignedText, 10);
    if (!magnitude)
        return 0;
    return static_cast<int>(std::clamp(signedValue(number, *magnitude), kIntegerMin, kIntegerMax));
}

std::optional<int> truncatedNumber(std::string_view text)
{
    const SignedText number = splitSign(withoutLeadingSpaces(text));
    if (!isDecimalReal(number.unsignedText))
        return std::nullopt;
    const auto magnitude = realValueOf(number.unsignedText);
    if (!magnitude)
        return std::numeric_limits<int>::max();
    const double value = number.negative ? -*magnitude : *magnitude;
    if (!(std::fabs(value) < 2147483647.0))
        return value < 0 ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
    return static_cast<int>(std::trunc(value));
}

} // namespace norvane
