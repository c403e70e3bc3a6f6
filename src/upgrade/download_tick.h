#pragma once

#include "upgrade/upgrade_context.h"

namespace norvane {

// One Timer2 tick of the download: does the work of the current state and re-arms the timer
// only when the sequence goes on.
void downloadTick(UpgradeContext& context);

// Off while a download runs: the download ends before the port goes, Timer2 off and its failure
// line in the raw log. Returns that line for the message log, which Off clears first; empty
// when no download runs.
std::string stopDownload(UpgradeContext& context);

} // namespace norvane
