#pragma once

// The main window connected at 115200 baud to a fake port, its receive loop ticked by hand over
// the bytes a test hands it, on a fake clock.

#include "app/Mpgs.h"
#include "serial/clock.h"
#include "support/fake_clock.h"
#include "support/fake_port_backend.h"
#include "ui/support/controls.h"
#include "ui/support/scripted_message_boxes.h"

#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <memory>
#include <string>

namespace norvane::uitest {

struct ConnectedWindow {
    ConnectedWindow()
    {
        auto backend = std::make_unique<FakePortBackend>();
        port = backend.get();
        records.link = SerialLink(std::move(backend));
        auto* rates = control<QComboBox>(window, "cbBandRate");
        rates->setCurrentIndex(rates->findText("115200"));
        control<QPushButton>(window, "btStart")->click();
        control<QTimer>(window, "Timer1")->stop();
    }
    void tick(const std::string& bytes)
    {
        port->pushIncoming(bytes);
        window.Timer1Timer();
        control<QTimer>(window, "Timer1")->stop();
    }

    FakeClock clock;
    ClockOverride useClock{clock};
    ScriptedMessageBoxes boxes;
    ProgramRecords records;
    Tgpsw window{records};
    FakePortBackend* port = nullptr;
};

} // namespace norvane::uitest
