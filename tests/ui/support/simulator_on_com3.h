#pragma once

// A receiver simulator for one test, with "  COM3" leading to it (and every other port name to
// nothing) for as long as the object lives, whatever way the test ends.
//
//     uitest::SimulatorOnCom3 receiver(options);
//     if (!receiver.started())
//         QSKIP(qPrintable(receiver.whyNotStarted()));

#include "sim/simulator.h"
#include "ui/support/port_map.h"

#include <QString>

namespace norvane::uitest {

class SimulatorOnCom3 {
public:
    explicit SimulatorOnCom3(const sim::SimulatorOptions& options);

    bool started() const { return started_; }
    QString whyNotStarted() const;
    sim::Simulator& simulator() { return simulator_; }
    PortMap& ports() { return ports_; }

private:
    sim::Simulator simulator_;
    PortMap ports_;
    bool started_ = false;
};

} // namespace norvane::uitest
