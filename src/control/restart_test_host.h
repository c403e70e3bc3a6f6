#pragma once

#include "control/restart_kind.h"
#include "serial/clock.h"

#include <cstdint>
#include <string>

namespace norvane {

// What the restart test needs from the main window: test mode, the receive loop's TTFF
// counting and the restart commands.
class RestartTestHost {
public:
    virtual ~RestartTestHost() = default;

    // On exactly while bt_test shows "Testing".
    virtual bool testModeOn() = 0;

    // The TTFF tick counter, which the receive loop advances while there is no 3D fix.
    virtual int ttffTicks() = 0;
    virtual void setTtffTicks(int ticks) = 0;

    virtual char fixMode() = 0;
    virtual void setFixMode(char mode) = 0;

    // The count td_ttff shows, which holds the tick at which the 3D fix was reached.
    virtual int ttffShown() = 0;

    // The main window's bt_coldClick, bt_warmClick or bt_hotClick; returns when it is done.
    virtual void restart(RestartKind kind) = 0;
    // When the last restart command was written to the port (clock seam), read after restart()
    // has returned; a command that waits for its acknowledgement returns well after it.
    virtual std::int64_t restartWrittenMs() { return clock().nowMs(); }
};

} // namespace norvane
