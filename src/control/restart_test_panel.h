#pragma once

#include "control/restart_kind.h"

#include <string>

namespace norvane {

// The test window's controls as the restart test sees them. The run state lives in the
// visible and enabled properties of the kind buttons and bt_auto, not in flags of its own.
class RestartTestPanel {
public:
    virtual ~RestartTestPanel() = default;

    // bt_hot, bt_warm, bt_cold.
    virtual bool kindButtonVisible(RestartKind kind) = 0;
    virtual bool kindButtonEnabled(RestartKind kind) = 0;
    virtual void setKindButtonVisible(RestartKind kind, bool visible) = 0;
    virtual void setKindButtonEnabled(RestartKind kind, bool enabled) = 0;

    // bt_auto.
    virtual bool autoButtonVisible() = 0;
    virtual bool autoButtonEnabled() = 0;
    virtual void setAutoButtonVisible(bool visible) = 0;
    virtual void setAutoButtonEnabled(bool enabled) = 0;

    // Checkhot, Checkwarm, Checkcold: the phases an automatic run still has to go through.
    virtual bool kindChecked(RestartKind kind) = 0;
    virtual void setKindChecked(RestartKind kind, bool checked) = 0;

    // ed_X1 (live count, then the cycle's TTFF) and ed_Xa (running, then final average).
    virtual void setCountText(RestartKind kind, const std::string& text) = 0;
    virtual void setAverageText(RestartKind kind, const std::string& text) = 0;

    // ed_cycles, ed_waittime and the caption of Label1, the stem of the progress messages.
    virtual std::string cyclesText() = 0;
    virtual std::string waitTimeText() = 0;
    virtual std::string cyclesCaption() = 0;

    // lb_testmes.
    virtual std::string message() = 0;
    virtual void setMessage(const std::string& text) = 0;
};

} // namespace norvane
