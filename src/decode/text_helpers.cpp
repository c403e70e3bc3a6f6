#include "decode/text_helpers.h"

#include <charconv>
#include <system_error>

namespace norvane {

namespace {

bool isDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

// Reads the digits of `text` in `base` as a magnitude; false unless every character is a digit.
bool readMagnitude(std::string_view text, int base, std::uint64_t& magnitude)
{
    if (text.empty())
        return false;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, magnitude, base);
    return error == std::errc() && stop == end;
}

// Digits, an optional '.', more digits, at least one digit in all; then an optional exponent.
bool isDecimalNumber(std::string_view text)
{
    std::size_t i = 0;
    int digits = 0;
    while (i < text.size() && isDigit(text[i]))
        ++i, ++digits;
    if (i < text.size() && text[i] == '.')
        ++i;
    while (i < text.size() && isDigit(text[i]))
        ++i, ++digits;
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        const std::size_t exponentStart = i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        if (i == exponentStart)
            return false;
    }
    return i == text.size();
}

} // namespace

std::int32_t textToInteger(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && text[1] == 'x') {
        base = 16;
        text.remove_prefix(2);
    }
    std::uint64_t magnitude = 0;
    if (!readMagnitude(text, base, magnitude))
        return 0;
    const std::uint64_t limit = negative ? std::uint64_t{1} << 31 : (std::uint64_t{1} << 31) - 1;
    if (magnitude > limit)
        return 0;
    return negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude))
                    : static_cast<std::int32_t>(magnitude);
}

double textToNumber(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (!isDecimalNumber(text))
        return 0.0;
    double value = 0.0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::general);
    if (error != std::errc() || stop != end)
        return 0.0;
    return negative ? -value : value;
}

char firstCharacter(std::string_view text)
{
    return text.empty() ? '\0' : text.front();
}

std::string substring(std::string_view text, int start, int count)
{
    if (start < 1)
        start = 1;
    if (count <= 0 || static_cast<std::size_t>(start) > text.size())
        return {};
    return std::string(text.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(count)));
}

int position(std::string_view text, std::string_view pattern)
{
    if (pattern.empty())
        return 0;
    const std::size_t at = text.find(pattern);
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

} // namespace norvane
