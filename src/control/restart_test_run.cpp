#include "control/restart_test_run.h"

#include "control/restart_test_rules.h"
#include "text/number_text.h"

#include <string>

namespace norvane {

namespace {
const std::string kChangeModule = "change module.";
const std::string kStandBy = "Stand by.";
} // namespace

void RestartTest::resetButtons(bool on)
{
    panel_.setKindButtonVisible(RestartKind::Hot, on);
    panel_.setAutoButtonVisible(on);
    panel_.setKindButtonVisible(RestartKind::Warm, on);
    panel_.setKindButtonVisible(RestartKind::Cold, on);
    panel_.setKindButtonEnabled(RestartKind::Hot, on);
    panel_.setAutoButtonEnabled(on);
    panel_.setKindButtonEnabled(RestartKind::Warm, on);
    panel_.setKindButtonEnabled(RestartKind::Cold, on);
    panel_.setMessage("");
}

void RestartTest::startSingleRun(RestartKind kind)
{
    for (RestartKind other : kAutoOrder) {
        if (other != kind)
            panel_.setKindButtonVisible(other, false);
    }
    panel_.setAutoButtonVisible(false);
    panel_.setKindButtonEnabled(kind, false);
    panel_.setCountText(kind, "");
    panel_.setAverageText(kind, "");
    readRunValues();
    totals_[kindIndex(kind)] = 0;
    completedCycles_ = 0;
    panel_.setMessage(panel_.cyclesCaption() + ": 1");
    runStarted();
    restart(kind);
}

void RestartTest::startAutoRun()
{
    RestartKind first{};
    if (!firstCheckedFrom(0, first)) {
        panel_.setMessage("Must choos one,please");
        return;
    }
    panel_.setAutoButtonEnabled(false);
    readRunValues();
    completedCycles_ = 0;
    totals_ = {};
    runStarted();
    startPhase(first, autoMessageHead(first) + panel_.cyclesCaption() + ": 1");
}

// The kinds are taken one after another and each one's conditions are tested when its turn
// comes: a restart accepted for an earlier kind has already put the fix mode back to '0'.
void RestartTest::tickStep(int bytesRead)
{
    if (!host_)
        return;
    showLiveCounts();
    for (RestartKind kind : kSingleOrder) {
        if (fixIs3d() && modeOn() && !panel_.kindButtonEnabled(kind) && !panel_.autoButtonVisible())
            singleRunTick(kind);
    }
    for (RestartKind kind : kAutoOrder) {
        if (fixIs3d() && modeOn() && !panel_.autoButtonEnabled() && !panel_.kindButtonEnabled(kind))
            autoRunTick(kind);
    }
    if (bytesRead == 0 && panel_.message() == kChangeModule && modeOn())
        panel_.setMessage(kStandBy);
    else if (bytesRead > 0 && panel_.message() == kStandBy && modeOn())
        startOver();
}

int RestartTest::ttffReached() const
{
    return host_->ttffShown();
}

// Every start reads the fields afresh and keeps them within 1..10000, also when they have not
// lost focus: a cycle count of 0 would divide by zero and a wait of 0 would never end a cycle.
void RestartTest::readRunValues()
{
    cycleCount_ = runValueOfText(panel_.cyclesText());
    waitTime_ = runValueOfText(panel_.waitTimeText());
}

// Once the fix is reached the count field keeps the last count, the cycle's TTFF.
void RestartTest::showLiveCounts()
{
    for (RestartKind kind : kAutoOrder) {
        if (!fixIs3d() && !panel_.kindButtonEnabled(kind) && modeOn())
            panel_.setCountText(kind, std::to_string(host_->ttffTicks()));
    }
}

void RestartTest::singleRunTick(RestartKind kind)
{
    if (!waitAfterFixEnds())
        return;
    if (completedCycles_ < cycleCount_) {
        continueCycles(kind, panel_.cyclesCaption() + ": " + std::to_string(completedCycles_ + 1));
        return;
    }
    finishRun(kind);
    resetButtons(true);
}

void RestartTest::autoRunTick(RestartKind kind)
{
    if (!waitAfterFixEnds())
        return;
    if (completedCycles_ < cycleCount_) {
        continueCycles(kind,
                       autoMessageHead(kind) + panel_.cyclesCaption() + std::to_string(completedCycles_ + 1));
        return;
    }
    finishRun(kind);
    panel_.setKindChecked(kind, true);
    completedCycles_ = 0;
    // The counter is left as it is: the next phase's accepted restart sets it to 0.
    startNextPhase(kind);
}

// With the fix held, the TTFF tick counter goes on as the count of ticks since the fix began;
// true when it has run the wait time past the TTFF.
bool RestartTest::waitAfterFixEnds()
{
    const int ticks = host_->ttffTicks() + 1;
    host_->setTtffTicks(ticks);
    if (ticks - ttffReached() != waitTime_)
        return false;
    ++completedCycles_;
    return true;
}

void RestartTest::continueCycles(RestartKind kind, const std::string& message)
{
    int& total = totals_[kindIndex(kind)];
    host_->setTtffTicks(0);
    total += ttffReached();
    panel_.setAverageText(kind, std::to_string(total / completedCycles_));
    panel_.setMessage(message);
    restart(kind);
}

void RestartTest::finishRun(RestartKind kind)
{
    int& total = totals_[kindIndex(kind)];
    total += ttffReached();
    total = tenTimesAverage(total, cycleCount_);
    panel_.setAverageText(kind, averageText(total));
}

// The boxes are the phases still to run: a phase unchecks its box when it starts and checks it
// again when it ends, so a finished run shows the choice made before it.
void RestartTest::startPhase(RestartKind kind, const std::string& message)
{
    for (RestartKind other : kAutoOrder) {
        if (other == kind)
            continue;
        panel_.setKindButtonEnabled(other, true);
        panel_.setKindButtonVisible(other, false);
    }
    panel_.setKindButtonEnabled(kind, false);
    panel_.setKindButtonVisible(kind, true);
    panel_.setKindChecked(kind, false);
    panel_.setMessage(message);
    restart(kind);
}

void RestartTest::startNextPhase(RestartKind finished)
{
    RestartKind next{};
    if (firstCheckedFrom(kindIndex(finished) + 1, next))
        startPhase(next, autoMessageHead(next) + panel_.cyclesCaption() + "1");
    else
        panel_.setMessage(kChangeModule);
}

// Another receiver sends data after "Stand by.": the same automatic run begins again on it.
void RestartTest::startOver()
{
    panel_.setMessage("");
    host_->setTtffTicks(0);
    completedCycles_ = 0;
    readRunValues();
    host_->setFixMode('0');
    totals_ = {};
    RestartKind first{};
    if (firstCheckedFrom(0, first)) {
        runStarted();
        startPhase(first, autoMessageHead(first) + panel_.cyclesCaption() + "1");
    }
}

bool RestartTest::firstCheckedFrom(int orderIndex, RestartKind& kind)
{
    for (int i = orderIndex; i < static_cast<int>(kAutoOrder.size()); ++i) {
        if (panel_.kindChecked(kAutoOrder[i])) {
            kind = kAutoOrder[i];
            return true;
        }
    }
    return false;
}

void RestartTest::restart(RestartKind kind)
{
    if (!host_)
        return;
    host_->restart(kind);
    if (observer_)
        observer_->restartIssued(kind);
}

void RestartTest::runStarted()
{
    if (observer_ && host_)
        observer_->runStarted();
}

} // namespace norvane
