#pragma once

#include "decode/receive_loop.h"
#include "serial/serial_link.h"
#include "survey/survey_lab.h"
#include "survey_command/survey_sink.h"

#include <iosfwd>
#include <string>

namespace norvane::survey {

// One thing surveyed, a receiver on a port or a recorded log: its own receive-loop core,
// receiver state and lab, so that several are surveyed side by side without sharing anything.
class SurveyedTarget {
public:
    // nameKey "port" or "log", as the JSON line names it.
    SurveyedTarget(std::string nameKey, std::string name, std::ostream& err);

    const std::string& nameKey() const { return nameKey_; }
    const std::string& name() const { return name_; }
    SurveyLab& lab() { return lab_; }
    const SurveyLab& lab() const { return lab_; }
    bool csvFailed() const { return csvProblems_.failed; }
    void setEpochLimit(long limit) { sink_.setEpochLimit(limit); }
    bool full() const { return sink_.full(); }
    // Bytes given to process() so far.
    std::uint64_t bytesSeen() const { return bytesSeen_; }

    // Cuts bytes into sentences through the receive-loop core and surveys them.
    void process(const std::uint8_t* bytes, int count)
    {
        bytesSeen_ += static_cast<std::uint64_t>(count);
        loop_.processBytes(bytes, count);
    }
    // A sentence is processed when the next '$' arrives; at the end of the input the last one
    // is processed by handing the loop a '$' of its own.
    void endOfInput();

    // A receiver's port; unused for a log.
    SerialLink& link() { return link_; }
    ReceiveBuffer& buffer() { return buffer_; }

private:
    std::string nameKey_, name_;
    SerialLink link_;
    Receiver receiver_;
    ReceiveBuffer buffer_{};
    SurveyLab lab_;
    CsvProblems csvProblems_;
    SurveySink sink_{lab_};
    ReceiveLoop loop_{link_, receiver_, buffer_, sink_};
    std::uint64_t bytesSeen_ = 0;
};

} // namespace norvane::survey
