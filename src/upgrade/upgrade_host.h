#pragma once

#include "log/log_sinks.h"

#include <string>

namespace norvane {

// What the upgrade needs from the main window: its message log, the message box, the raw log,
// the two timers and the few controls the download reads and writes.
class UpgradeHost : public MessageLog, public RawLogSink {
public:
    // A modal box with an OK button, owned by the main window, with an empty caption.
    virtual void showMessage(const std::string& text) = 0;

    // Timer1 (the receive loop) and Timer2 (the download tick).
    virtual void setReceiveLoopEnabled(bool enabled) = 0;
    virtual void setDownloadTimerEnabled(bool enabled) = 0;

    // lb_pres.
    virtual void setProgressCaption(const std::string& caption) = 0;
    virtual void setProgressVisible(bool visible) = 0;

    // bt_refresh.
    virtual void setUpgradeButtonEnabled(bool enabled) = 0;
    // Every other user of the port (restart commands, version queries, the restart test):
    // switched off while a download runs and on again when it ends.
    virtual void setPortUsersEnabled(bool /*enabled*/) {}
    // The text of cbBandRate: the rate the user connected with.
    virtual std::string userRateText() = 0;
};

} // namespace norvane
