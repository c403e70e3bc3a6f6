#include "decode/field_splitter.h"
#include "decode/nmea_decoders.h"
#include "decode/text_helpers.h"
#include "text/number_text.h"

namespace norvane {

// $GPRMC,092750.000,A,5321.6802,N,00630.3372,W,0.02,31.66,280511,,,A*43
void decodeRmc(ReceiverState& state, std::string_view sentence)
{
    forEachField(sentence, [&](int field, const std::string& text) {
        switch (field) {
        case 0:
            setTimeOfDay(state, text);
            break;
        case 1:
            state.rmc_status = firstCharacter(text);
            break;
        case 2:
            state.latitude = textToNumber(text);
            break;
        case 3:
            state.lat_hemisphere = firstCharacter(text);
            break;
        case 4:
            state.longitude = textToNumber(text);
            break;
        case 5:
            state.lon_hemisphere = firstCharacter(text);
            break;
        case 6:
            state.speed_knots = textToNumber(text);
            break;
        case 7:
            state.course = textToNumber(text);
            break;
        case 8:
            setDate(state, text);
            break;
        case 9:
            state.mag_variation = textToNumber(text);
            break;
        case 10:
            state.mag_var_direction = firstCharacter(text);
            break;
        case 11:
            state.rmc_mode = firstCharacter(text);
            break;
        case 12:
            return FieldAction::Stop;
        }
        return FieldAction::Continue;
    });
    endGsaRun(state.sky);
}

} // namespace norvane
