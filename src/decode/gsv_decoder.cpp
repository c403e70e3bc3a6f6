#include "decode/field_splitter.h"
#include "decode/nmea_decoders.h"
#include "text/number_text.h"

namespace norvane {

namespace {

constexpr int kSatellitesPerMessage = 4;
constexpr int kLastMessageNumber = kSatelliteSlots / kSatellitesPerMessage;

// Writes one column of the satellites-in-view table for satellite `slot` of the message just
// numbered. A message number outside 1..10 has no entries in the table: its satellites are
// dropped rather than written past the 40 entries.
void store(const ReceiverState& state, int (&column)[kSatelliteSlots], int slot, int value)
{
    if (state.gsv_number < 1 || state.gsv_number > kLastMessageNumber)
        return;
    column[(state.gsv_number - 1) * kSatellitesPerMessage + slot] = value;
}

} // namespace

// $GPGSV,3,2,11,14,25,170,00,16,57,208,39,18,67,296,40,19,40,246,00*74
void decodeGsv(ReceiverState& state, std::string_view sentence)
{
    int slot = 0;
    forEachField(sentence, [&](int field, const std::string& text) {
        switch (field) {
        case 0:
            state.gsv_count = textToInteger(text);
            break;
        case 1:
            state.gsv_number = textToInteger(text);
            break;
        case 2:
            state.sats_in_view = textToInteger(text);
            break;
        case 3:
        case 7:
        case 11:
        case 15:
            store(state, state.sat_prn, slot, textToInteger(text));
            break;
        case 4:
        case 8:
        case 12:
        case 16:
            store(state, state.sat_elevation, slot, textToInteger(text));
            break;
        case 5:
        case 9:
        case 13:
        case 17:
            store(state, state.sat_azimuth, slot, textToInteger(text));
            break;
        case 6:
        case 10:
        case 14:
        case 18:
            store(state, state.sat_status, slot, kSatInView);
            store(state, state.sat_snr, slot, textToInteger(text));
            ++slot;
            break;
        case 19:
            return FieldAction::Stop;
        }
        return FieldAction::Continue;
    });
}

} // namespace norvane
