#include "text/json_object.h"

#include "text/number_format.h"

#include <cmath>

namespace norvane {

std::string jsonString(std::string_view text)
{
    std::string quoted = "\"";
    for (const char ch : text) {
        if (ch == '"' || ch == '\\')
            quoted += std::string("\\") + ch;
        else if (static_cast<unsigned char>(ch) < 0x20)
            quoted += formatText("\\u%04x", static_cast<int>(static_cast<unsigned char>(ch)));
        else
            quoted += ch;
    }
    return quoted + "\"";
}

void JsonObject::addKey(std::string_view key)
{
    if (!members_.empty())
        members_ += ",";
    members_ += jsonString(key) + ":";
}

void JsonObject::addText(std::string_view key, std::string_view value)
{
    addKey(key);
    members_ += jsonString(value);
}

void JsonObject::addNumber(std::string_view key, const std::optional<double>& value, int decimals)
{
    addKey(key);
    // JSON has no infinities or NaN.
    members_ += value && std::isfinite(*value) ? decimalText(*value, decimals) : std::string("null");
}

void JsonObject::addInteger(std::string_view key, long long value)
{
    addKey(key);
    members_ += std::to_string(value);
}

void JsonObject::addRaw(std::string_view key, std::string_view json)
{
    addKey(key);
    members_ += json;
}

} // namespace norvane
