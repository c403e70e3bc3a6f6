#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

namespace norvane {

// One value handed to formatText.
class FormatArgument {
public:
    template <class T, std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, char> && !std::is_same_v<T, bool>,
                                        int> = 0>
    FormatArgument(T value) : kind_(Kind::Integer), integer_(static_cast<std::int64_t>(value))
    {
    }
    FormatArgument(char value) : kind_(Kind::Integer), integer_(static_cast<unsigned char>(value)) {}
    FormatArgument(double value) : kind_(Kind::Number), number_(value) {}
    FormatArgument(float value) : kind_(Kind::Number), number_(value) {}
    FormatArgument(const char* value) : kind_(Kind::Text), text_(value) {}
    FormatArgument(const std::string& value) : kind_(Kind::Text), text_(value) {}
    FormatArgument(std::string_view value) : kind_(Kind::Text), text_(value) {}

    enum class Kind { Integer, Number, Text };
    Kind kind() const { return kind_; }
    std::int64_t integer() const { return integer_; }
    double number() const { return number_; }
    std::string_view text() const { return text_; }

private:
    Kind kind_;
    std::int64_t integer_ = 0;
    double number_ = 0.0;
    std::string_view text_;
};

// Every number the program writes to a file, to the receiver or into a field goes through here:
// printf's formats (flags "-0+ ", a width, a precision, '*' for either, and d i u x X c s f e g %)
// with '.' as the decimal point whatever the desktop's locale. A conversion that does not match
// its argument writes nothing for it.
std::string formatTextOf(std::string_view format, std::initializer_list<FormatArgument> arguments);

template <class... Arguments> std::string formatText(std::string_view format, const Arguments&... arguments)
{
    return formatTextOf(format, {FormatArgument(arguments)...});
}

// A value with this many decimals, as "%.Nf" gives it.
std::string fixedText(double value, int decimals);

// The same written at the end of `out`, for a text built of many numbers (a CSV row) without a
// string for each.
void appendFixedText(std::string& out, double value, int decimals);
// A whole number at least `width` digits long, zeros in front, as "%0*d" gives it.
void appendZeroPadded(std::string& out, std::int64_t value, int width = 0);

// A measured value with this many decimals, without the minus sign of one that rounds to zero:
// "0.000", not "-0.000", for a bias of a tenth of a millimetre west.
std::string decimalText(double value, int decimals);
void appendDecimalText(std::string& out, double value, int decimals);

} // namespace norvane
