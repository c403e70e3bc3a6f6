#pragma once

#include "upgrade/upgrade_context.h"

namespace norvane {

constexpr const char* kLoaderFileName = "flash.srec";
constexpr const char* kImageFileName = "prom.bin";

// The Upgrade button: stops the receive loop, loads both files unless they are still loaded
// from an earlier run, and starts the download tick. A file that is missing or refused stops
// it with the receive loop running again and nothing sent.
void startUpgrade(UpgradeContext& context);

} // namespace norvane
