#include "survey_command/headless_survey.h"

#include "serial/clock.h"
#include "serial/stop_request.h"
#include "survey/signal_figures.h"
#include "survey/survey_report.h"
#include "survey_command/surveyed_target.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <vector>

namespace norvane::survey {

namespace {

// Between reads of the ports: a 10 Hz receiver's fix arrives every 100 ms.
constexpr int kPollMs = 20;
constexpr std::int64_t kProgressMs = 10000;
// The piece of a log read at a time: the memory a log of any size needs, and little enough to be
// taken apart while the processor's cache still holds it.
constexpr std::size_t kLogChunk = 128 * 1024;

using Targets = std::vector<std::unique_ptr<SurveyedTarget>>;

std::string portTitle(const PortChoice& port)
{
    return port.port + " at " + port.rate + " baud";
}

// --csv FILE for one of several receivers: FILE with the port's name before ".csv".
std::string csvPathOf(const std::string& path, const std::string& suffix)
{
    if (path.empty() || suffix.empty())
        return path;
    const bool csv = path.size() > 4 && path.ends_with(".csv");
    return (csv ? path.substr(0, path.size() - 4) : path) + suffix + ".csv";
}

class HeadlessSurvey {
public:
    HeadlessSurvey(const SurveyOptions& options, std::ostream& out, std::ostream& err)
        : options_(options), out_(out), err_(err)
    {
    }

    int run() { return options_.logPath.empty() ? runPorts() : runLog(); }

private:
    int runPorts();
    int runLog();
    bool openPorts();
    bool startRuns();
    void pollPorts();
    void progressIfDue();
    int finish();
    void printReport();
    void problem(const std::string& text) { err_ << "norvane-survey: " << text << std::endl; }

    const SurveyOptions& options_;
    std::ostream& out_;
    std::ostream& err_;
    Targets targets_;
    std::vector<std::string> titles_;
    bool failed_ = false; // a port or file error
    std::int64_t nextProgressMs_ = 0;
};

int HeadlessSurvey::runPorts()
{
    for (const PortChoice& port : options_.ports) {
        targets_.push_back(std::make_unique<SurveyedTarget>("port", port.port, err_));
        titles_.push_back(portTitle(port));
        if (options_.epochs)
            targets_.back()->setEpochLimit(*options_.epochs);
    }
    if (!openPorts() || !startRuns())
        return kFailed;
    const std::int64_t start = clock().nowMs();
    nextProgressMs_ = start + kProgressMs;
    const auto durationMs =
        options_.durationSeconds ? static_cast<std::int64_t>(*options_.durationSeconds * 1000) : -1;
    while (!stopRequested()) {
        pollPorts();
        bool allFull = true;
        for (const auto& target : targets_)
            allFull = allFull && target->full();
        if (allFull || failed_ || (durationMs >= 0 && clock().nowMs() - start >= durationMs))
            break;
        progressIfDue();
        clock().sleepMs(kPollMs);
    }
    return finish();
}

bool HeadlessSurvey::openPorts()
{
    for (std::size_t i = 0; i < targets_.size(); ++i) {
        const PortChoice& port = options_.ports[i];
        bool opened = false;
        try {
            opened = targets_[i]->link().openLink(port.port, port.rate);
        } catch (const ConversionError& error) {
            problem(error.what());
        }
        if (!opened) {
            problem("cannot open " + titles_[i]);
            for (const auto& target : targets_)
                target->link().closePort();
            return false;
        }
    }
    return true;
}

bool HeadlessSurvey::startRuns()
{
    const bool several = targets_.size() > 1;
    for (const auto& target : targets_) {
        if (options_.reference)
            target->lab().survey().useFixedReference(*options_.reference);
        const std::string suffix = target->nameKey() == "port" ? "-" + target->name() : std::string();
        std::string error;
        if (!target->lab().startRun(error, csvPathOf(options_.csvPath, several ? suffix : ""), suffix)) {
            problem(error);
            for (const auto& other : targets_) {
                other->lab().endRun();
                other->link().closePort();
            }
            return false;
        }
    }
    return true;
}

// One read of every receiver's port; a port that has gone away ends the survey.
void HeadlessSurvey::pollPorts()
{
    for (std::size_t i = 0; i < targets_.size(); ++i) {
        SurveyedTarget& target = *targets_[i];
        SerialLink& link = target.link();
        const int bytesRead = link.readAvailable(target.buffer(), tickReadLimit(link.lineRate()));
        target.process(target.buffer().data(), bytesRead);
        if (bytesRead == 0 && !link.queryQueued()) {
            problem("lost " + titles_[i]);
            failed_ = true;
        }
    }
}

void HeadlessSurvey::progressIfDue()
{
    if (clock().nowMs() < nextProgressMs_)
        return;
    nextProgressMs_ += kProgressMs;
    for (const auto& target : targets_) {
        target->lab().survey().refresh();
        err_ << progressLine(target->name(), target->lab().survey().figures()) << std::endl;
    }
}

int HeadlessSurvey::runLog()
{
    const std::string& path = options_.logPath;
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        problem("cannot read " + path + ": it is a directory, not a recorded log");
        return kFailed;
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        problem("cannot open " + path + (errno ? std::string(": ") + std::strerror(errno) : std::string()));
        return kFailed;
    }
    targets_.push_back(std::make_unique<SurveyedTarget>("log", path, err_));
    titles_.push_back("log " + path);
    targets_.back()->lab().setFlushEachRow(false);
    if (!startRuns())
        return kFailed;
    SurveyedTarget& target = *targets_.front();
    nextProgressMs_ = clock().nowMs() + kProgressMs;
    std::vector<char> chunk(kLogChunk);
    while (!stopRequested() && in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())).gcount() > 0) {
        target.process(reinterpret_cast<const std::uint8_t*>(chunk.data()), static_cast<int>(in.gcount()));
        progressIfDue();
    }
    if (in.bad()) {
        problem("cannot read " + path);
        failed_ = true;
    }
    target.endOfInput();
    if (target.bytesSeen() == 0)
        problem(path + " is empty");
    return finish();
}

int HeadlessSurvey::finish()
{
    for (const auto& target : targets_) {
        target->lab().endRun();
        target->link().closePort();
    }
    printReport();
    bool csvFailed = false;
    bool noFix = false;
    for (const auto& target : targets_) {
        csvFailed = csvFailed || target->csvFailed();
        if (target->lab().survey().figures().fixes == 0) {
            noFix = true;
            const int epochs = target->lab().survey().figures().epochs;
            problem(target->name() + " gave no fix (" + std::to_string(epochs) + " epochs" +
                    (target->bytesSeen() == 0 ? ", no data" : "") + ")");
        }
    }
    if (failed_ || csvFailed)
        return kFailed;
    return noFix ? kNoFix : kAllFixed;
}

void HeadlessSurvey::printReport()
{
    std::vector<std::vector<Figure>> lists;
    std::vector<SignalSummary> signals;
    for (const auto& target : targets_) {
        signals.push_back(target->lab().signalSummary());
        lists.push_back(runFigureList(target->lab()));
    }
    if (options_.json) {
        for (std::size_t i = 0; i < targets_.size(); ++i) {
            JsonObject json = figuresJson(targets_[i]->nameKey(), targets_[i]->name(), lists[i]);
            json.addRaw("systems", systemsJson(signals[i]));
            out_ << json.text() << "\n";
        }
        out_.flush();
        return;
    }
    for (std::size_t i = 0; i < targets_.size(); ++i) {
        out_ << "\n" << summaryText(titles_[i], lists[i]);
        for (const std::string& line : systemSummaryLines(signals[i]))
            out_ << "  " << line << "\n";
        if (!targets_[i]->lab().csvPath().empty() && !targets_[i]->csvFailed() &&
            targets_[i]->lab().survey().epochCount() > 0)
            out_ << "  CSV: " << targets_[i]->lab().csvPath() << "\n";
    }
    if (targets_.size() > 1) {
        std::vector<std::string> names;
        for (const auto& target : targets_)
            names.push_back(target->name());
        out_ << "\n" << sideBySideText(names, lists);
    }
    out_.flush();
}

} // namespace

int runSurvey(const SurveyOptions& options, std::ostream& out, std::ostream& err)
{
    HeadlessSurvey survey(options, out, err);
    return survey.run();
}

} // namespace norvane::survey
