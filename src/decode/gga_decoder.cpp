#include "decode/field_splitter.h"
#include "decode/nmea_decoders.h"
#include "decode/text_helpers.h"
#include "text/number_text.h"

namespace norvane {

// $GPGGA,092750.000,5321.6802,N,00630.3372,W,1,8,1.03,61.7,M,55.2,M,,*76
void decodeGga(ReceiverState& state, std::string_view sentence)
{
    forEachField(sentence, [&](int field, const std::string& text) {
        switch (field) {
        case 0:
            setTimeOfDay(state, text);
            break;
        case 1:
            state.latitude = textToNumber(text);
            break;
        case 2:
            state.lat_hemisphere = firstCharacter(text);
            break;
        case 3:
            state.longitude = textToNumber(text);
            break;
        case 4:
            state.lon_hemisphere = firstCharacter(text);
            break;
        case 5:
            state.gga_quality = firstCharacter(text);
            break;
        case 6:
            state.sats_used = textToInteger(text);
            break;
        case 7:
            state.hdop = textToNumber(text);
            break;
        case 8:
            state.altitude = textToNumber(text);
            break;
        case 10:
            return FieldAction::Stop;
        }
        return FieldAction::Continue;
    });
    endGsaRun(state.sky);
}

} // namespace norvane
