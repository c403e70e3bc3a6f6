#pragma once

// The program's three windows as it makes them: the main window over the records lent to it (on
// `port`, when one is given), the view-point and test windows attached, every message box
// scripted. `family`, when given, answers the receiver-family question the main window asks as
// it is made.

#include "app/Mpgs.h"
#include "control/ui/Testgps.h"
#include "ui/support/scripted_message_boxes.h"
#include "view/ui/Vp.h"

#include <QString>
#include <memory>
#include <optional>

namespace norvane::uitest {

struct ProgramWindows {
    explicit ProgramWindows(std::unique_ptr<PortBackend> port = nullptr,
                            std::optional<QuestionAnswer> family = std::nullopt);

    // The one window of the main window's own with this object name ("Replay",
    // "PositionAccuracy"); none, or more than one, stops the test program.
    QWidget& ownWindow(const QString& name) const;

    ScriptedMessageBoxes boxes;
    ProgramRecords records;
    Tviewp viewp;
    TFtest ftest;
    std::unique_ptr<Tgpsw> gpsw;
};

} // namespace norvane::uitest
