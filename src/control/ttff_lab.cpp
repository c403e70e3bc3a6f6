#include "control/ttff_lab.h"

namespace norvane {

TtffLab::TtffLab(UtcClock utcClock) : utcClock_(std::move(utcClock)) {}

bool TtffLab::startRun(std::string& error, const std::string& csvPath)
{
    endRun();
    records_.clear();
    const bool created =
        csvPath.empty() ? csv_.createNamed("norvane-ttff", utcClock_(), {}, kTtffCsvHeader, error)
                        : csv_.createAt(csvPath, kTtffCsvHeader, error);
    if (!created) {
        csv_.removeIfEmpty();
        csv_.close();
    }
    return created;
}

void TtffLab::endRun()
{
    if (cycle_) {
        cycle_->endEarly();
        finishIfComplete();
    }
    csv_.removeIfEmpty();
    csv_.close();
}

// The command's UTC is the host clock's at the moment of writing: the command may have
// returned seconds later, after its acknowledgement wait.
void TtffLab::restartWritten(RestartKind kind, std::int64_t writtenMs)
{
    if (cycle_) {
        cycle_->endEarly();
        finishIfComplete();
    }
    const std::int64_t nowMs = clock().nowMs();
    const std::int64_t commandUtcMs = utcClock_() - (nowMs - writtenMs);
    const int number = static_cast<int>(records_.size()) + 1;
    cycle_.emplace(number, kind, writtenMs, commandUtcMs,
                   static_cast<std::int64_t>(limitSeconds(kind)) * 1000);
}

void TtffLab::sentenceDecoded(const std::string& type, const ReceiverState& state)
{
    if (!cycle_)
        return;
    cycle_->sentenceDecoded(type, state, clock().nowMs());
    finishIfComplete();
}

void TtffLab::poll()
{
    if (!cycle_)
        return;
    cycle_->checkLimit(clock().nowMs());
    finishIfComplete();
}

void TtffLab::finishIfComplete()
{
    if (!cycle_ || !cycle_->complete())
        return;
    const TtffRecord record = cycle_->record();
    cycle_.reset();
    records_.push_back(record);
    std::string error;
    if (csv_.isOpen() && !csv_.append(csvRow(record), error)) {
        csv_.close();
        if (listener_)
            listener_->csvFailed(error);
    }
    if (listener_)
        listener_->cycleFinished(record);
}

} // namespace norvane
