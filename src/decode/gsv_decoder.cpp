#include "decode/field_splitter.h"
#include "decode/nmea_decoders.h"
#include "decode/satellite_sky.h"
#include "decode/text_helpers.h"
#include "text/number_text.h"

#include <cctype>

namespace norvane {

namespace {

constexpr int kFirstSatelliteField = 3;
constexpr int kFieldsPerSatellite = 4;

// Writes one column of the satellites-in-view table for satellite `slot` of the message just
// numbered. A message number outside 1..10 has no entries in the table: its satellites are
// dropped rather than written past the 40 entries.
void store(const ReceiverState& state, int (&column)[kSatelliteSlots], int slot, int value)
{
    const int entry = gsvEntry(state.gsv_number, slot);
    if (entry >= 0)
        column[entry] = value;
}

// The fields the splitter hands over, and the text of the last one.
struct FieldCount {
    int count = 0;
    std::string_view last;
};

FieldCount countFields(std::string_view sentence)
{
    FieldCount fields;
    std::size_t start = 7;
    for (std::size_t p = start; p + 1 < sentence.size(); ++p) {
        if (sentence[p] != ',' && sentence[p] != '*')
            continue;
        ++fields.count;
        fields.last = sentence.substr(start, p - start);
        if (sentence[p] == '*')
            break;
        start = p + 1;
    }
    return fields;
}

// NMEA 4.10 ends a GSV message with the signal ID, one hexadecimal digit, after the last
// satellite: a field standing where a PRN would start a satellite of its own. Its field number,
// or -1 when the message has none.
int signalIdField(const FieldCount& fields)
{
    const int last = fields.count - 1;
    const bool startsASatellite =
        last >= kFirstSatelliteField && (last - kFirstSatelliteField) % kFieldsPerSatellite == 0;
    const bool oneHexDigit =
        fields.last.size() == 1 && std::isxdigit(static_cast<unsigned char>(fields.last[0]));
    return startsASatellite && oneHexDigit ? last : -1;
}

int hexDigitValue(char digit)
{
    return std::isdigit(static_cast<unsigned char>(digit))
               ? digit - '0'
               : std::toupper(static_cast<unsigned char>(digit)) - 'A' + 10;
}

} // namespace

// $GPGSV,3,2,11,14,25,170,00,16,57,208,39,18,67,296,40,19,40,246,00*74
void decodeGsv(ReceiverState& state, std::string_view sentence)
{
    const FieldCount fields = countFields(sentence);
    const int signalField = signalIdField(fields);
    const int signal = signalField < 0 ? kNoSignal : hexDigitValue(fields.last[0]);
    SkyGroup& group = skyGroup(state.sky, sourceOfTalker(substring(sentence, 2, 2)), signal);
    SkySatellite satellite;
    int slot = 0;
    forEachField(sentence, [&](int field, const std::string& text) {
        if (field == signalField)
            return FieldAction::Stop;
        switch (field) {
        case 0:
            state.gsv_count = textToInteger(text);
            break;
        case 1:
            state.gsv_number = textToInteger(text);
            break;
        case 2:
            state.sats_in_view = textToInteger(text);
            group.inView = state.sats_in_view;
            break;
        case 3:
        case 7:
        case 11:
        case 15:
            store(state, state.sat_prn, slot, satellite.prn = textToInteger(text));
            break;
        case 4:
        case 8:
        case 12:
        case 16:
            store(state, state.sat_elevation, slot, satellite.elevation = textToInteger(text));
            break;
        case 5:
        case 9:
        case 13:
        case 17:
            store(state, state.sat_azimuth, slot, satellite.azimuth = textToInteger(text));
            break;
        case 6:
        case 10:
        case 14:
        case 18:
            store(state, state.sat_status, slot, kSatInView);
            store(state, state.sat_snr, slot, satellite.snr = textToInteger(text));
            storeSkySatellite(group, state.gsv_number, slot, satellite);
            ++slot;
            break;
        case 19:
            return FieldAction::Stop;
        }
        return FieldAction::Continue;
    });
    if (state.gsv_number == state.gsv_count)
        completeSkyGroup(state.sky, group);
}

} // namespace norvane
