#pragma once

// The receive loop and a receiver as the restart test sees them, for tests of the test window
// and of its Qt-free logic alike. After an accepted restart the receiver reaches its 3D fix
// after the next queued TTFF; each tick counts the ticks without a 3D fix into the TTFF field,
// as the receive loop does, and then runs the tick step.

#include "control/restart_test_host.h"
#include "text/number_text.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace norvane {

class SimulatedReceiver : public RestartTestHost {
public:
    static constexpr int kNever = 1 << 30;

    std::function<void(int bytesRead)> tickStep;
    bool testMode = true;
    bool acceptsRestarts = true;
    bool sendsData = true;
    int ticks = 0;
    char fix = '0';
    std::string ttffField;
    std::deque<int> ttffs; // the TTFF each accepted restart leads to, in order
    std::vector<RestartKind> restarts;

    bool testModeOn() override { return testMode; }
    int ttffTicks() override { return ticks; }
    void setTtffTicks(int t) override { ticks = t; }
    char fixMode() override { return fix; }
    void setFixMode(char mode) override { fix = mode; }
    int ttffShown() override { return integerOfText(ttffField); }

    // Like the first family's restart reset: the counter and the fix mode go back, the TTFF
    // field keeps its text until the next tick without a fix.
    void restart(RestartKind kind) override
    {
        restarts.push_back(kind);
        if (!acceptsRestarts)
            return;
        ticks = 0;
        fix = '0';
        sinceRestart_ = 0;
        ticksToFix_ = ttffs.empty() ? kNever : ttffs.front();
        if (!ttffs.empty())
            ttffs.pop_front();
    }

    void tick(int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            if (sendsData)
                fix = ++sinceRestart_ > ticksToFix_ ? '3' : '1';
            ttffField = std::to_string(integerOfText(ttffField));
            if (fix != '3')
                ttffField = std::to_string(++ticks);
            tickStep(sendsData ? 120 : 0);
        }
    }

private:
    int sinceRestart_ = 0;
    int ticksToFix_ = kNever;
};

} // namespace norvane
