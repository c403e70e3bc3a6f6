#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace norvane {

// One epoch of the survey as a position sentence reports it.
struct SurveyEpoch {
    std::optional<std::int64_t> utcMsOfDay; // the sentence's time, milliseconds since midnight
    int quality = 0;                        // GGA's fix quality; GNS and RMC modes read as it
    std::optional<int> satsUsed;
    std::optional<double> hdop;
    bool fix = false; // quality 1 or more, latitude and longitude present
    // When a fix: signed decimal degrees, and the ellipsoidal height (altitude above mean sea
    // level plus the geoid separation, an empty separation counting 0) where the sentence has one.
    double latitude = 0;
    double longitude = 0;
    std::optional<double> height;
};

// The position sentences an epoch comes from, most complete first.
enum class EpochSentence { Gga, Gns, Rmc };

// Whether a sentence's type is `name`, three letters: the survey asks this of every sentence of a
// recording, where comparing them as texts would cost a call of the library each time.
constexpr bool isSentenceType(std::string_view type, const char (&name)[4])
{
    return type.size() == 3 && type[0] == name[0] && type[1] == name[1] && type[2] == name[2];
}

// Each reads one sentence as the receive loop hands it on ('$' first, CR LF removed, a line
// feed last).
SurveyEpoch epochOfGga(std::string_view sentence);
SurveyEpoch epochOfGns(std::string_view sentence);
SurveyEpoch epochOfRmc(std::string_view sentence);

// What a GST sentence claims: the receiver's own standard deviations in metres.
struct GstClaim {
    std::optional<double> sigmaLatitude, sigmaLongitude, sigmaAltitude;
};
GstClaim claimOfGst(std::string_view sentence);

// Decides which sentences give the epochs: GGA when the receiver sends it, else GNS, else RMC, so
// that a receiver sending several of them is not counted twice. A GGA is taken at once. A GNS or
// RMC epoch waits until the same type comes again without a better one in between (a burst may
// start with RMC and bring its GGA after it); it is then taken, late by one burst.
class EpochSelector {
public:
    // The epochs this sentence completes, oldest first: none, one or two; valid until the next
    // sentence (kept for its room: a survey takes every sentence of a long recording).
    const std::vector<SurveyEpoch>& take(std::string_view type, std::string_view sentence);
    // The epoch still waiting, when the run ends.
    std::optional<SurveyEpoch> flush();

private:
    std::optional<EpochSentence> source_; // the best type heard so far
    bool settled_ = false;
    std::optional<SurveyEpoch> waiting_;
    std::vector<SurveyEpoch> completed_;
};

} // namespace norvane
