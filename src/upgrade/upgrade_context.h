#pragma once

#include "serial/serial_link.h"
#include "upgrade/upgrade_host.h"
#include "upgrade/upgrade_session.h"

#include <filesystem>
#include <string>

namespace norvane {

// Everything the upgrade start and the download tick work on: the program-wide records and the
// window that shows them.
struct UpgradeContext {
    UpgradeSession& session;
    SerialLink& link;
    ReceiveBuffer& buffer;
    // The receiver's sentence text, where the progress and command texts are built.
    std::string& sentenceText;
    UpgradeHost& host;
    // Where "flash.srec" and "prom.bin" are; empty means the working directory.
    std::filesystem::path directory = {};
};

} // namespace norvane
