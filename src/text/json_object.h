#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace norvane {

// One JSON object on one line, built key by key in the order given, for the commands' --json
// output. Numbers are written with '.' whatever the locale; an absent one is null.
class JsonObject {
public:
    void addText(std::string_view key, std::string_view value);
    void addNumber(std::string_view key, const std::optional<double>& value, int decimals);
    void addInteger(std::string_view key, long long value);
    // A value that is JSON already (an object, an array).
    void addRaw(std::string_view key, std::string_view json);

    std::string text() const { return "{" + members_ + "}"; }

private:
    void addKey(std::string_view key);

    std::string members_;
};

// The text as a JSON string, quotes included.
std::string jsonString(std::string_view text);

} // namespace norvane
