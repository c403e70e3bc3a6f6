#include "survey/survey_epoch.h"

#include "decode/field_splitter.h"
#include "decode/nmea_fields.h"
#include "decode/text_helpers.h"
#include "text/number_text.h"

#include <array>
#include <charconv>
#include <string>

namespace norvane {

namespace {

// The texts of the fields up to the most any position sentence is read to (RMC's mode, field
// 11), views into the sentence as the shared splitter hands them over; empty where it has none.
using Fields = std::array<std::string_view, 12>;

Fields fieldsOf(std::string_view sentence)
{
    Fields fields;
    forEachFieldView(sentence, [&](int field, std::string_view text) {
        if (field >= static_cast<int>(fields.size()))
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
void readPosition(SurveyEpoch& epoch, const Fields& f, std::size_t first)
{
    const auto latitude = numberOfText(f[first]);
    const auto longitude = numberOfText(f[first + 2]);
    epoch.fix = epoch.quality >= 1 && latitude && longitude;
    if (!epoch.fix)
        return;
    epoch.latitude = signedDegrees(*latitude, firstCharacter(f[first + 1]));
    epoch.longitude = signedDegrees(*longitude, firstCharacter(f[first + 3]));
}

std::optional<int> wholeOfText(std::string_view text)
{
    // Plain digits, as receivers send them, need no reading as a number with decimals.
    int whole = 0;
    const auto read = std::from_chars(text.data(), text.data() + text.size(), whole);
    const bool plain = read.ec == std::errc() && read.ptr == text.data() + text.size();
    const auto value = plain ? std::optional<double>(whole) : numberOfText(text);
    if (!value || *value < 0 || *value > 999)
        return std::nullopt;
    return static_cast<int>(*value);
}

std::optional<double> heightOf(std::string_view altitude, std::string_view separation)
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
    const Fields f = fieldsOf(sentence);
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
    const Fields f = fieldsOf(sentence);
    SurveyEpoch epoch;
    epoch.utcMsOfDay = millisecondsOfDay(f[0]);
    const auto mode = f[5].find_first_not_of('N');
    epoch.quality = mode == std::string_view::npos ? 0 : qualityOfMode(f[5][mode]);
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
    const Fields f = fieldsOf(sentence);
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
    const Fields f = fieldsOf(sentence);
    return {numberOfText(f[5]), numberOfText(f[6]), numberOfText(f[7])};
}

const std::vector<SurveyEpoch>& EpochSelector::take(std::string_view type, std::string_view sentence)
{
    completed_.clear();
    EpochSentence kind;
    if (isSentenceType(type, "GGA"))
        kind = EpochSentence::Gga;
    else if (isSentenceType(type, "GNS"))
        kind = EpochSentence::Gns;
    else if (isSentenceType(type, "RMC"))
        kind = EpochSentence::Rmc;
    else
        return completed_;
    if (source_ && rank(kind) < rank(*source_))
        return completed_;
    const SurveyEpoch epoch = kind == EpochSentence::Gga   ? epochOfGga(sentence)
                              : kind == EpochSentence::Gns ? epochOfGns(sentence)
                                                           : epochOfRmc(sentence);
    if (!source_ || rank(kind) > rank(*source_)) {
        source_ = kind;
        settled_ = kind == EpochSentence::Gga;
        waiting_.reset();
        if (settled_)
            completed_.push_back(epoch);
        else
            waiting_ = epoch;
        return completed_;
    }
    if (!settled_) {
        settled_ = true;
        completed_.push_back(*waiting_);
        waiting_.reset();
    }
    completed_.push_back(epoch);
    return completed_;
}

std::optional<SurveyEpoch> EpochSelector::flush()
{
    auto waiting = waiting_;
    waiting_.reset();
    return waiting;
}

} // namespace norvane
