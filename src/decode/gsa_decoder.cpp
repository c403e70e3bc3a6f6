#include "decode/field_splitter.h"
#include "decode/nmea_decoders.h"
#include "decode/satellite_sky.h"
#include "decode/text_helpers.h"
#include "text/number_text.h"

namespace norvane {

namespace {

constexpr int kFirstPrnField = 2;
constexpr int kLastPrnField = 13;
constexpr int kPrnFields = kLastPrnField - kFirstPrnField + 1;
constexpr int kSystemIdField = 17;

// The systems a GSA speaks for: a system ID's or a talker's own; a combined talker without an
// ID only those of the PRNs it lists, or every system when it reports no fix.
std::uint8_t systemsSpokenFor(SatelliteSource source, bool hasSystemId, const int* prns, char fixMode)
{
    if (hasSystemId || source != SatelliteSource::Combined)
        return systemsOfSource(source);
    std::uint8_t systems = 0;
    for (int i = 0; i < kPrnFields; ++i) {
        if (prns[i] != 0)
            systems |= systemBit(systemOfPrn(source, prns[i]));
    }
    return systems == 0 && fixMode == '1' ? systemsOfSource(source) : systems;
}

} // namespace

// $GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39
// $GNGSA,A,3,06,199,30,195,19,03,07,,,,,,1.15,0.60,0.98,1*06  (NMEA 4.10: system ID last)
void decodeGsa(ReceiverState& state, std::string_view sentence)
{
    int prns[kPrnFields] = {};
    int systemId = 0;
    forEachField(sentence, [&](int field, const std::string& text) {
        switch (field) {
        case 1:
            state.fix_mode = firstCharacter(text);
            break;
        case 14:
            state.pdop = textToNumber(text);
            break;
        case kSystemIdField:
            systemId = textToInteger(text);
            return FieldAction::Stop;
        default:
            if (field >= kFirstPrnField && field <= kLastPrnField)
                state.used_prns[field - kFirstPrnField] = prns[field - kFirstPrnField] = textToInteger(text);
            break;
        }
        return FieldAction::Continue;
    });
    const auto byId = sourceOfSystemId(systemId);
    const SatelliteSource source = byId.value_or(sourceOfTalker(substring(sentence, 2, 2)));
    takeUsedSatellites(state.sky, source, systemsSpokenFor(source, byId.has_value(), prns, state.fix_mode),
                       prns, kPrnFields);
}

} // namespace norvane
