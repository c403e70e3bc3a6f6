#pragma once

#include "decode/quiet_receive_sink.h"
#include "survey/survey_lab.h"

#include <iosfwd>
#include <string>

namespace norvane::survey {

// The receive loop's sink of a survey without a window: every decoded sentence goes to the lab,
// until the lab holds as many epochs as the run asked for.
class SurveySink : public QuietReceiveSink {
public:
    explicit SurveySink(SurveyLab& lab) : lab_(lab) {}
    void setEpochLimit(long limit) { epochLimit_ = limit; }
    bool full() const { return epochLimit_ > 0 && lab_.survey().epochCount() >= epochLimit_; }

    void sentenceDecoded(const std::string& type, const std::string& sentence) override
    {
        if (!full())
            lab_.sentenceDecoded(type, sentence);
    }

private:
    SurveyLab& lab_;
    long epochLimit_ = 0; // none
};

// Reports a CSV that could not be written, once, and remembers it for the exit status.
class CsvProblems : public SurveyLabListener {
public:
    explicit CsvProblems(std::ostream& err) : err_(err) {}
    void csvFailed(const std::string& message) override;
    bool failed = false;

private:
    std::ostream& err_;
};

} // namespace norvane::survey
