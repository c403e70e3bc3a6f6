#include "survey_command/surveyed_target.h"

#include <ostream>

namespace norvane::survey {

void CsvProblems::csvFailed(const std::string& message)
{
    err_ << "norvane-survey: " << message << std::endl;
    failed = true;
}

SurveyedTarget::SurveyedTarget(std::string nameKey, std::string name, std::ostream& err)
    : nameKey_(std::move(nameKey)), name_(std::move(name)), csvProblems_(err)
{
    lab_.setListener(&csvProblems_);
    lab_.setReceiverState(&receiver_.state);
}

void SurveyedTarget::endOfInput()
{
    const std::uint8_t dollar = '$';
    loop_.processBytes(&dollar, 1);
}

} // namespace norvane::survey
