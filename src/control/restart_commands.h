#pragma once

#include "control/command_frames.h"
#include "log/log_sinks.h"

#include <string>

namespace norvane {

class SerialLink;
struct Receiver;
struct ReceiverState;

// What the restart commands change in the main window.
class RestartHost : public MessageLog {
public:
    virtual void setTimer1Enabled(bool enabled) = 0;
    virtual void setColdButtonEnabled(bool enabled) = 0;
    // Empties the version fields, removes the SNR bars, repaints the chart and lets the window
    // handle its pending messages once, so the cleared display shows before the click returns.
    virtual void clearRestartDisplay() = 0;
    virtual void resetMainWindow() = 0;
};

// The fields of the latest fix that go into a Vexa restart frame.
RestartFix restartFixFromState(const ReceiverState& state);

// After an acknowledged restart: stops the receive loop and clears the satellite data and the
// TTFF counter, so that the time to first fix is counted afresh.
void restartReset(Receiver& receiver, RestartHost& host);

// The ColdStart, WarmStart and HotStart buttons for both receiver families.
class RestartCommands {
public:
    RestartCommands(SerialLink& link, Receiver& receiver, RestartHost& host);

    void cold();
    void warm();
    void hot();

private:
    bool isFamily(int family) const;
    bool sendVexaRestart(RestartKind kind);

    SerialLink& link_;
    Receiver& receiver_;
    RestartHost& host_;
};

} // namespace norvane
