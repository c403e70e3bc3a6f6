#pragma once

#include "decode/receiver_state.h"
#include "log/raw_log.h"
#include "serial/serial_link.h"

namespace norvane {

// The records every part of the program works on: made once at start-up, before the windows,
// and kept until the program ends. The main window lends them to the receive loop, the restart
// commands and the upgrade.
struct ProgramRecords {
    Receiver receiver;
    SerialLink link;
    ReceiveBuffer receiveBuffer{};
    RawLog rawLog;
};

} // namespace norvane
