#include "text/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <iterator>

namespace norvane {

namespace {

struct Conversion {
    bool leftAlign = false;
    bool zeroFill = false;
    bool plusSign = false;
    bool spaceSign = false;
    int width = 0;
    int precision = -1; // none given
    char type = 0;
};

class ArgumentList {
public:
    ArgumentList(const FormatArgument* first, const FormatArgument* last) : next_(first), end_(last) {}
    const FormatArgument* take() { return next_ == end_ ? nullptr : next_++; }
    int takeInteger()
    {
        const FormatArgument* argument = take();
        return argument != nullptr && argument->kind() == FormatArgument::Kind::Integer
                   ? static_cast<int>(argument->integer())
                   : 0;
    }

private:
    const FormatArgument* next_;
    const FormatArgument* end_;
};

int readNumber(std::string_view format, std::size_t& p)
{
    int value = 0;
    while (p < format.size() && format[p] >= '0' && format[p] <= '9' && value < 10000)
        value = value * 10 + (format[p++] - '0');
    return value;
}

// Reads the flags, width and precision after '%' up to and including the conversion letter.
Conversion readConversion(std::string_view format, std::size_t& p, ArgumentList& arguments)
{
    Conversion c;
    for (; p < format.size(); ++p) {
        const char flag = format[p];
        if (flag == '-')
            c.leftAlign = true;
        else if (flag == '0')
            c.zeroFill = true;
        else if (flag == '+')
            c.plusSign = true;
        else if (flag == ' ')
            c.spaceSign = true;
        else
            break;
    }
    if (p < format.size() && format[p] == '*') {
        ++p;
        c.width = arguments.takeInteger();
        if (c.width < 0) {
            c.leftAlign = true;
            c.width = -c.width;
        }
    } else {
        c.width = readNumber(format, p);
    }
    if (p < format.size() && format[p] == '.') {
        ++p;
        if (p < format.size() && format[p] == '*') {
            ++p;
            c.precision = arguments.takeInteger();
        } else {
            c.precision = readNumber(format, p);
        }
    }
    if (p < format.size())
        c.type = format[p++];
    return c;
}

// Sign and digits apart, so that zero fill goes between them as printf puts it.
struct Pieces {
    std::string sign;
    std::string digits;
};

// Characters from first to last added as a pointer and a length: the form the string takes most
// cheaply, where a pair of pointers would go through its general replacing.
void appendChars(std::string& out, const char* first, const char* last)
{
    out.append(first, static_cast<std::size_t>(last - first));
}

// "00" to "99": the digits of a number written two at a time.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

bool negative(double value)
{
    return std::signbit(value) && !std::isnan(value);
}

// The digits of %.Nf the quick way, where that is exact: the whole number nearest the magnitude
// times 10^N. That product rounded to a double never passes a half a double can hold (below 2^52,
// every half), since rounding keeps the order: unless it lands on a half itself, it lies on the
// same side of every half as the true product, and so has the same nearest whole number. On a
// half, and beyond 2^52, false: the exact conversion decides.
bool appendFixedQuickly(std::string& out, double magnitude, int precision)
{
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3,  1e4,  1e5, 1e6,
                                              1e7, 1e8, 1e9, 1e10, 1e11, 1e12};
    if (precision < 0 || precision >= static_cast<int>(std::size(kPowersOfTen)))
        return false;
    const double scaled = magnitude * kPowersOfTen[precision];
    if (!(scaled < 0x1p52))
        return false;
    const auto whole = static_cast<std::uint64_t>(scaled);
    const double fraction = scaled - static_cast<double>(whole); // exact below 2^52
    if (fraction == 0.5)
        return false;
    // The decimals from the last one back, two at a time; what is left is the whole part.
    std::uint64_t rest = whole + (fraction > 0.5);
    char decimals[16];
    int at = precision;
    if (at % 2 == 1) {
        decimals[--at] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    }
    for (; at > 0; rest /= 100) {
        const auto pair = static_cast<std::size_t>(rest % 100) * 2;
        decimals[--at] = kDigitPairs[pair + 1];
        decimals[--at] = kDigitPairs[pair];
    }
    char text[48];
    char* end = std::to_chars(text, text + 24, rest).ptr;
    if (precision > 0) {
        *end++ = '.';
        end = std::copy(decimals, decimals + precision, end);
    }
    appendChars(out, text, end);
    return true;
}

// The digits of a magnitude, "nan" and "inf" as printf writes them.
void appendDigits(std::string& out, double magnitude, std::chars_format style, int precision)
{
    if (std::isnan(magnitude) || std::isinf(magnitude)) {
        out += std::isnan(magnitude) ? "nan" : "inf";
        return;
    }
    if (style == std::chars_format::fixed && appendFixedQuickly(out, magnitude, precision))
        return;
    char text[400];
    const auto result = std::to_chars(text, text + sizeof text, magnitude, style, precision);
    if (result.ec == std::errc())
        appendChars(out, text, result.ptr);
}

Pieces numberPieces(double value, const Conversion& c)
{
    Pieces pieces;
    if (negative(value))
        pieces.sign = "-";
    else if (c.plusSign)
        pieces.sign = "+";
    else if (c.spaceSign)
        pieces.sign = " ";
    const double magnitude = std::fabs(value);
    const int precision = c.precision < 0 ? 6 : c.precision;
    switch (c.type) {
    case 'e':
        appendDigits(pieces.digits, magnitude, std::chars_format::scientific, precision);
        break;
    case 'g':
        appendDigits(pieces.digits, magnitude, std::chars_format::general, precision == 0 ? 1 : precision);
        break;
    default:
        appendDigits(pieces.digits, magnitude, std::chars_format::fixed, precision);
        break;
    }
    return pieces;
}

Pieces integerPieces(std::int64_t value, const Conversion& c)
{
    Pieces pieces;
    const bool hex = c.type == 'x' || c.type == 'X';
    std::uint64_t magnitude = 0;
    if (hex || c.type == 'u') {
        magnitude = static_cast<std::uint32_t>(value);
    } else {
        magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
        pieces.sign = value < 0 ? "-" : c.plusSign ? "+" : c.spaceSign ? " " : "";
    }
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, magnitude, hex ? 16 : 10);
    pieces.digits.assign(text, result.ptr);
    if (c.type == 'X') {
        for (char& digit : pieces.digits)
            digit = static_cast<char>(digit >= 'a' && digit <= 'f' ? digit - 'a' + 'A' : digit);
    }
    if (c.precision >= 0 && static_cast<int>(pieces.digits.size()) < c.precision)
        pieces.digits.insert(0, static_cast<std::size_t>(c.precision) - pieces.digits.size(), '0');
    return pieces;
}

void appendPadded(std::string& out, const Pieces& pieces, const Conversion& c, bool zeroFillAllowed)
{
    const int length = static_cast<int>(pieces.sign.size() + pieces.digits.size());
    const int padding = c.width > length ? c.width - length : 0;
    if (c.leftAlign) {
        out += pieces.sign;
        out += pieces.digits;
        out.append(static_cast<std::size_t>(padding), ' ');
    } else if (c.zeroFill && zeroFillAllowed) {
        out += pieces.sign;
        out.append(static_cast<std::size_t>(padding), '0');
        out += pieces.digits;
    } else {
        out.append(static_cast<std::size_t>(padding), ' ');
        out += pieces.sign;
        out += pieces.digits;
    }
}

void appendConversion(std::string& out, const Conversion& c, const FormatArgument* argument)
{
    if (argument == nullptr)
        return;
    using Kind = FormatArgument::Kind;
    switch (c.type) {
    case 'd':
    case 'i':
    case 'u':
    case 'x':
    case 'X':
        if (argument->kind() == Kind::Integer)
            appendPadded(out, integerPieces(argument->integer(), c), c, c.precision < 0);
        break;
    case 'f':
    case 'e':
    case 'g':
        if (argument->kind() == Kind::Number) {
            const Pieces pieces = numberPieces(argument->number(), c);
            appendPadded(out, pieces, c, std::isfinite(argument->number()));
        }
        break;
    case 'c':
        if (argument->kind() == Kind::Integer)
            appendPadded(out, {"", std::string(1, static_cast<char>(argument->integer()))}, c, false);
        break;
    case 's':
        if (argument->kind() == Kind::Text) {
            std::string_view text = argument->text();
            if (c.precision >= 0 && text.size() > static_cast<std::size_t>(c.precision))
                text = text.substr(0, static_cast<std::size_t>(c.precision));
            appendPadded(out, {"", std::string(text)}, c, false);
        }
        break;
    }
}

} // namespace

std::string formatTextOf(std::string_view format, std::initializer_list<FormatArgument> arguments)
{
    ArgumentList list(arguments.begin(), arguments.end());
    std::string out;
    std::size_t p = 0;
    while (p < format.size()) {
        const char ch = format[p++];
        if (ch != '%') {
            out += ch;
            continue;
        }
        if (p < format.size() && format[p] == '%') {
            out += '%';
            ++p;
            continue;
        }
        const Conversion c = readConversion(format, p, list);
        appendConversion(out, c, list.take());
    }
    return out;
}

std::string fixedText(double value, int decimals)
{
    std::string text;
    appendFixedText(text, value, decimals);
    return text;
}

void appendFixedText(std::string& out, double value, int decimals)
{
    if (negative(value))
        out += '-';
    appendDigits(out, std::fabs(value), std::chars_format::fixed, decimals < 0 ? 6 : decimals);
}

void appendDecimalText(std::string& out, double value, int decimals)
{
    const std::size_t start = out.size();
    appendFixedText(out, value, decimals);
    const auto zeroText = [](char ch) { return ch == '-' || ch == '0' || ch == '.'; };
    if (out[start] == '-' &&
        std::all_of(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), zeroText))
        out.erase(start, 1);
}

std::string decimalText(double value, int decimals)
{
    std::string text;
    appendDecimalText(text, value, decimals);
    return text;
}

void appendZeroPadded(std::string& out, std::int64_t value, int width)
{
    char text[24];
    const auto result = std::to_chars(text, text + sizeof text, value);
    const auto length = static_cast<int>(result.ptr - text);
    if (length >= width) {
        appendChars(out, text, result.ptr);
        return;
    }
    if (value < 0)
        out += '-';
    out.append(static_cast<std::size_t>(width - length), '0');
    appendChars(out, value < 0 ? text + 1 : text, result.ptr);
}

} // namespace norvane
