#include "survey/survey_lab.h"

#include "survey/survey_csv.h"
#include "view/shown_satellites.h"
#include "view/snr_bars.h"

namespace norvane {

SurveyLab::SurveyLab(UtcClock utcClock) : utcClock_(std::move(utcClock)) {}

bool SurveyLab::startRun(std::string& error, const std::string& csvPath, const std::string& nameSuffix)
{
    endRun();
    Survey fresh;
    if (survey_.referenceMode() == ReferenceMode::Fixed)
        fresh.useFixedReference(*survey_.reference());
    survey_ = std::move(fresh);
    signal_ = SignalFigures();
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
    if (isSentenceType(type, "GGA") && receiverState_ != nullptr) {
        // The statuses of a one-talker receiver's table, as the SNR chart update sets them for
        // the views; a window has set them already, a run without one has not.
        markUsedSatellites(*receiverState_);
        shownSatellites(*receiverState_, showing_);
        signal_.addEpoch(showing_);
    }
}

void SurveyLab::take(const SurveyRow& row)
{
    if (csv_.isOpen()) {
        csvRow_.clear();
        appendSurveyCsvRow(csvRow_, row);
        std::string error;
        if (!csv_.append(csvRow_, error)) {
            csv_.close();
            if (listener_)
                listener_->csvFailed(error);
        }
    }
    if (listener_)
        listener_->epochTaken(row);
}

std::vector<Figure> runFigureList(const SurveyLab& lab)
{
    std::vector<Figure> figures = surveyFigureList(lab.survey().figures());
    for (Figure& figure : signalFigureList(lab.signalSummary()))
        figures.push_back(std::move(figure));
    return figures;
}

} // namespace norvane
