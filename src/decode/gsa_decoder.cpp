#include "decode/field_splitter.h"
#include "decode/nmea_decoders.h"
#include "decode/text_helpers.h"
#include "text/number_text.h"

namespace norvane {

namespace {

constexpr int kFirstPrnField = 2;
constexpr int kLastPrnField = 13;

} // namespace

// $GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39
void decodeGsa(ReceiverState& state, std::string_view sentence)
{
    forEachField(sentence, [&](int field, const std::string& text) {
        switch (field) {
        case 1:
            state.fix_mode = firstCharacter(text);
            break;
        case 14:
            state.pdop = textToNumber(text);
            break;
        case 15:
            return FieldAction::Stop;
        default:
            if (field >= kFirstPrnField && field <= kLastPrnField)
                state.used_prns[field - kFirstPrnField] = textToInteger(text);
            break;
        }
        return FieldAction::Continue;
    });
}

} // namespace norvane
