#include "survey/survey_epoch.h"

#include "decode/field_splitter.h"
#include "decode/nmea_fields.h"
#include "decode/text_helpers.h"
#include "text/number_text.h"

#include <string>

namespace norvane {

namespace {

// The texts of the fields up to `count`, as the shared splitter hands them over.
std::vector<std::string> fieldsOf(std::string_view sentence, int count)
{
    std::vector<std::string> fields(static_cast<std::size_t>(count));
    forEachField(sentence, [&](int field, const std::string& text) {
        if (field >= count)
            return FieldAction::Stop;
        fields[static_cast<std::size_t>(field)] = text;
        return FieldAction::Continue;
    });
    return fields;
}

// GNS and RMC mode letters as GGA's quality digits: autonomous 1, differential 2, precise 3,
// RTK fixed 4 and float 5, estimated 6, manual 7, simulated 8; N (no fix) and anything else 0.
int qualityOfMode(char mode)
{
    constexpr std::string_view kModes = "ADPRFEMS";
    const auto at = kModes.find(mode);
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

// Position fields (latitude, hemisphere, longitude, hemisphere) from `first` on.
void readPosition(SurveyEpoch& epoch, const std::vector<std::string>& f, std::size_t first)
{
    const auto latitude = numberOfText(f[first]);
    const auto longitude = numberOfText(f[first + 2]);
    epoch.fix = epoch.quality >= 1 && latitude && longitude;
    if (!epoch.fix)
        return;
    epoch.latitude = signedDegrees(*latitude, firstCharacter(f[first + 1]));
    epoch.longitude = signedDegrees(*longitude, firstCharacter(f[first + 3]));
}

std::optional<int> wholeOfText(const std::string& text)
{
    const auto value = numberOfText(text);
    if (!value || *value < 0 || *value > 999)
        return std::nullopt;
    return static_cast<int>(*value);
}

std::optional<double> heightOf(const std::string& altitude, const std::string& separation)
{
    const auto aboveSeaLevel = numberOfText(altitude);
    if (!aboveSeaLevel)
        return std::nullopt;
    return *aboveSeaLevel + numberOfText(separation).value_or(0.0);
}

int rank(EpochSentence sentence)
{
    return 2 - static_cast<int>(sentence);
}

} // namespace

// $GPGGA,092750.000,5321.6802,N,00630.3372,W,1,8,1.03,61.7,M,55.2,M,,*76
SurveyEpoch epochOfGga(std::string_view sentence)
{
    const auto f = fieldsOf(sentence, 11);
    SurveyEpoch epoch;
    epoch.utcMsOfDay = millisecondsOfDay(f[0]);
    epoch.quality = wholeOfText(f[5]).value_or(0);
    epoch.satsUsed = wholeOfText(f[6]);
    epoch.hdop = numberOfText(f[7]);
    readPosition(epoch, f, 1);
    if (epoch.fix)
        epoch.height = heightOf(f[8], f[10]);
    return epoch;
}

// $GNGNS,092750.000,5321.6802,N,00630.3372,W,AAN,12,0.9,61.7,55.2,,,V*hh
// The mode has a letter per system; the first that is not N tells the quality.
SurveyEpoch epochOfGns(std::string_view sentence)
{
    const auto f = fieldsOf(sentence, 10);
    SurveyEpoch epoch;
    epoch.utcMsOfDay = millisecondsOfDay(f[0]);
    const auto mode = f[5].find_first_not_of('N');
    epoch.quality = mode == std::string::npos ? 0 : qualityOfMode(f[5][mode]);
    epoch.satsUsed = wholeOfText(f[6]);
    epoch.hdop = numberOfText(f[7]);
    readPosition(epoch, f, 1);
    if (epoch.fix)
        epoch.height = heightOf(f[8], f[9]);
    return epoch;
}

// $GPRMC,092750.000,A,5321.6802,N,00630.3372,W,0.02,31.66,280511,,,A*43
// No height, satellites or HDOP; the mode letter, where the receiver sends one, gives the
// quality, else a valid status counts as an autonomous fix.
SurveyEpoch epochOfRmc(std::string_view sentence)
{
    const auto f = fieldsOf(sentence, 12);
    SurveyEpoch epoch;
    epoch.utcMsOfDay = millisecondsOfDay(f[0]);
    if (firstCharacter(f[1]) == 'A')
        epoch.quality = f[11].empty() ? 1 : qualityOfMode(firstCharacter(f[11]));
    readPosition(epoch, f, 2);
    return epoch;
}

// $GPGST,092750.000,1.2,2.1,1.4,35.2,1.5,1.8,2.6*hh
GstClaim claimOfGst(std::string_view sentence)
{
    const auto f = fieldsOf(sentence, 8);
    return {numberOfText(f[5]), numberOfText(f[6]), numberOfText(f[7])};
}

std::vector<SurveyEpoch> EpochSelector::take(std::string_view type, std::string_view sentence)
{
    EpochSentence kind;
    if (type == "GGA")
        kind = EpochSentence::Gga;
    else if (type == "GNS")
        kind = EpochSentence::Gns;
    else if (type == "RMC")
        kind = EpochSentence::Rmc;
    else
        return {};
    if (source_ && rank(kind) < rank(*source_))
        return {};
    const SurveyEpoch epoch = kind == EpochSentence::Gga   ? epochOfGga(sentence)
                              : kind == EpochSentence::Gns ? epochOfGns(sentence)
                                                           : epochOfRmc(sentence);
    if (!source_ || rank(kind) > rank(*source_)) {
        source_ = kind;
        settled_ = kind == EpochSentence::Gga;
        waiting_.reset();
        if (settled_)
            return {epoch};
        waiting_ = epoch;
        return {};
    }
    if (settled_)
        return {epoch};
    settled_ = true;
    std::vector<SurveyEpoch> taken{*waiting_, epoch};
    waiting_.reset();
    return taken;
}

std::optional<SurveyEpoch> EpochSelector::flush()
{
    auto waiting = waiting_;
    waiting_.reset();
    return waiting;
}

} // namespace norvane
