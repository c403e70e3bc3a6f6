#include "survey/survey_lab.h"

#include "survey/survey_csv.h"

namespace norvane {

SurveyLab::SurveyLab(UtcClock utcClock) : utcClock_(std::move(utcClock)) {}

bool SurveyLab::startRun(std::string& error, const std::string& csvPath, const std::string& nameSuffix)
{
    endRun();
    Survey fresh;
    if (survey_.referenceMode() == ReferenceMode::Fixed)
        fresh.useFixedReference(*survey_.reference());
    survey_ = std::move(fresh);
    running_ = true;
    const bool created = csvPath.empty()
                             ? csv_.createNamed(kSurveyCsvPrefix, utcClock_(), nameSuffix, kSurveyCsvHeader, error)
                             : csv_.createAt(csvPath, kSurveyCsvHeader, error);
    if (!created) {
        csv_.removeIfEmpty();
        csv_.close();
    }
    return created;
}

void SurveyLab::endRun()
{
    if (!running_)
        return;
    if (const auto row = survey_.finish())
        take(*row);
    survey_.refresh();
    running_ = false;
    csv_.removeIfEmpty();
    std::string error;
    if (!csv_.closeWritten(error) && listener_)
        listener_->csvFailed(error);
}

void SurveyLab::sentenceDecoded(std::string_view type, std::string_view sentence)
{
    if (!running_)
        return;
    for (const SurveyRow& row : survey_.sentenceDecoded(type, sentence))
        take(row);
}

void SurveyLab::take(const SurveyRow& row)
{
    std::string error;
    if (csv_.isOpen() && !csv_.append(surveyCsvRow(row), error)) {
        csv_.close();
        if (listener_)
            listener_->csvFailed(error);
    }
    if (listener_)
        listener_->epochTaken(row);
}

} // namespace norvane
