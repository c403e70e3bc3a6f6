#include "serial/serial_link.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace norvane {

namespace {

std::size_t skipDigits(const std::string& text, std::size_t pos)
{
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9')
        ++pos;
    return pos;
}

// Whether the text from `start` to its end is one decimal number: an optional sign, digits with
// an optional point, an optional exponent. Names such as "inf" or hexadecimal are not rates.
bool isDecimalNumber(const std::string& text, std::size_t start)
{
    std::size_t pos = start;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        ++pos;
    const std::size_t integerEnd = skipDigits(text, pos);
    std::size_t mantissaDigits = integerEnd - pos;
    pos = integerEnd;
    if (pos < text.size() && text[pos] == '.') {
        const std::size_t fractionEnd = skipDigits(text, pos + 1);
        mantissaDigits += fractionEnd - pos - 1;
        pos = fractionEnd;
    }
    if (mantissaDigits == 0)
        return false;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
            ++pos;
        const std::size_t exponentEnd = skipDigits(text, pos);
        if (exponentEnd == pos)
            return false;
        pos = exponentEnd;
    }
    return pos == text.size();
}

[[noreturn]] void throwNotANumber(const std::string& text)
{
    throw ConversionError("'" + text + "' is not a valid floating point value");
}

} // namespace

int rateFromText(const std::string& text)
{
    std::size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos || !isDecimalNumber(text, start))
        throwNotANumber(text);
    if (text[start] == '+')
        ++start;
    double value = 0;
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc::invalid_argument)
        throwNotANumber(text);
    // A rate far outside any line rate still has to become an integer the port can refuse.
    if (result.ec == std::errc::result_out_of_range || !(std::fabs(value) < 2147483647.0))
        return value < 0 ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
    return static_cast<int>(std::trunc(value));
}

std::string portNameFromText(const std::string& portText)
{
    std::string name;
    for (char c : portText)
        if (c != ' ')
            name += c;
    return name;
}

} // namespace norvane
