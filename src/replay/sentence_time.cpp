#include "replay/sentence_time.h"

#include "decode/checksum.h"
#include "decode/field_splitter.h"

#include <algorithm>
#include <string>

namespace norvane {

namespace {

// The field that holds the time, counted after the address field; -1 for a type without one.
int timeField(std::string_view type)
{
    if (type == "GGA" || type == "RMC" || type == "GNS" || type == "ZDA")
        return 0;
    if (type == "GLL")
        return 4;
    return -1;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int twoDigits(std::string_view text, std::size_t at)
{
    return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

} // namespace

std::optional<int> timeOfDayMs(std::string_view field)
{
    if (field.size() < 6)
        return std::nullopt;
    for (std::size_t i = 0; i < 6; ++i)
        if (!isDigit(field[i]))
            return std::nullopt;
    const int hour = twoDigits(field, 0), minute = twoDigits(field, 2), second = twoDigits(field, 4);
    if (hour > 23 || minute > 59 || second > 60)
        return std::nullopt;
    int ms = 0;
    if (field.size() > 6) {
        if (field[6] != '.')
            return std::nullopt;
        int scale = 100;
        for (std::size_t i = 7; i < field.size(); ++i, scale /= 10) {
            if (!isDigit(field[i]))
                return std::nullopt;
            ms += (field[i] - '0') * scale;
        }
    }
    // A leap second is taken as the last moment of the minute before.
    return std::min(((hour * 60 + minute) * 60 + second) * 1000 + ms, kDayMs - 1);
}

SentenceTiming sentenceTiming(std::string_view sentence)
{
    SentenceTiming timing;
    if (sentence.size() < 7 || sentence[0] != '$' || sentence[6] != ',')
        return timing;
    const std::string_view type = sentence.substr(3, 3);
    const int field = timeField(type);
    if (field < 0)
        return timing;
    // The checksum test and the field split both leave out the text's last character, which
    // the receive loop's line feed takes.
    const std::string text = std::string(sentence) + '\n';
    if (!verifyChecksum(text))
        return timing;
    timing.gga = type == "GGA";
    forEachField(text, [&](int index, const std::string& value) {
        if (index < field)
            return FieldAction::Continue;
        timing.timeMs = timeOfDayMs(value);
        return FieldAction::Stop;
    });
    return timing;
}

} // namespace norvane
