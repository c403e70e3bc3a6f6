#include "decode/identification.h"
#include "decode/text_helpers.h"
#include "text/number_format.h"

#include <cstdint>
#include <string>

namespace norvane {

namespace {

// Offsets of the reply's bytes from the position of "PLN".
constexpr int kVersionTextLength = 12;
constexpr int kDayOffset = 12;
constexpr int kMonthOffset = 13;
constexpr int kYearOffset = 14;
constexpr int kSecondCrcOffset = 20;
constexpr int kFirstCrcOffset = 21;

// The byte at 1-based position `at`; the caller has made sure it exists.
std::int8_t signedByteAt(std::string_view text, int at)
{
    return static_cast<std::int8_t>(text[at - 1]);
}
std::uint8_t unsignedByteAt(std::string_view text, int at)
{
    return static_cast<std::uint8_t>(text[at - 1]);
}

int fromBcd(int value)
{
    return value - (value / 16) * 6;
}

} // namespace

void checkVersionReply(std::string_view sentence, std::string_view marker, ReceiveSink& sink)
{
    if (position(sentence, marker) == 0 || !sink.versionText(1).empty())
        return;
    const int p = position(sentence, "PLN");
    // A reply cut short never reaches its date and CRC bytes; reading on would run past the text.
    if (static_cast<int>(sentence.size()) < p + kFirstCrcOffset)
        return;
    sink.setVersionText(1, substring(sentence, p, kVersionTextLength));

    const int day = fromBcd(signedByteAt(sentence, p + kDayOffset));
    const int month = signedByteAt(sentence, p + kMonthOffset);
    const int year = signedByteAt(sentence, p + kYearOffset);
    sink.setVersionText(2, formatText("20%02d/%02d/%02d", year, month, day));
    sink.setVersionText(3, sink.versionText(3) + formatText("       CRC: %X %X",
                                                            unsigned{unsignedByteAt(sentence, p + kFirstCrcOffset)},
                                                            unsigned{unsignedByteAt(sentence, p + kSecondCrcOffset)}));
}

} // namespace norvane
