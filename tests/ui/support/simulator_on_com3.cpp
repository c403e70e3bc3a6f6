#include "ui/support/simulator_on_com3.h"

namespace norvane::uitest {

SimulatorOnCom3::SimulatorOnCom3(const sim::SimulatorOptions& options) : simulator_(options)
{
    started_ = simulator_.start();
    if (started_)
        ports_.map(3, simulator_.devicePath());
}

QString SimulatorOnCom3::whyNotStarted() const
{
    return "the simulator cannot start here: " + QString::fromStdString(simulator_.lastError());
}

} // namespace norvane::uitest
