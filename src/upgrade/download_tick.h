#pragma once

#include "upgrade/upgrade_context.h"

namespace norvane {

// One Timer2 tick of the download: does the work of the current state and re-arms the timer
// only when the sequence goes on.
void downloadTick(UpgradeContext& context);

} // namespace norvane
