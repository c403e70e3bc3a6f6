#pragma once

namespace norvane {

// Every top-level window tells screen readers that it is a window (the role frame). A plain
// widget shown as a window would otherwise be read as a "filler"; dialogs and message boxes
// keep their own roles. Called once, when the application starts.
void announceWindowsAsFrames();

} // namespace norvane
