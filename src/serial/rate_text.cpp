#include "serial/serial_link.h"
#include "text/number_text.h"

#include <string>

namespace norvane {

int rateFromText(const std::string& text)
{
    // A rate far outside any line rate still becomes an integer, which the port then refuses.
    const auto rate = truncatedNumber(text);
    if (!rate)
        throw ConversionError("'" + text + "' is not a valid floating point value");
    return *rate;
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
