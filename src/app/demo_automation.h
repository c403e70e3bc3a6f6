#pragma once

// Lets the demo script run Norvane without a person, e.g. under a virtual display:
//
//   NORVANE_DEMO_FAMILY=1|2        answers the receiver-family question ("Vexa Series " or
//                                  "Lumo Series "); every other box is printed to standard
//                                  error instead of waiting for OK.
//   NORVANE_DEMO_AUTOSCAN=1        presses AutoScan once the main window shows.
//   NORVANE_DEMO_HOTSTART=1        with NORVANE_DEMO_SCREENSHOT: one hot restart after the first
//                                  fix, so that the receiver prints its identification; the
//                                  picture waits for the fix to be lost and to come back.
//   NORVANE_DEMO_SCREENSHOT=path   waits until td_mode shows a 3D fix, saves a picture of the
//                                  main window there and quits: exit code 0 with the fix,
//                                  1 when NORVANE_DEMO_TIMEOUT seconds (default 120) passed
//                                  without it.
//
// With none of them set the program behaves as it always does.

#include <memory>

namespace norvane {

class Tgpsw;
class MessageBoxes;

class DemoAutomation {
public:
    DemoAutomation();
    ~DemoAutomation();
    DemoAutomation(const DemoAutomation&) = delete;
    DemoAutomation& operator=(const DemoAutomation&) = delete;

    // Call once the main window is shown.
    void start(Tgpsw& window);

private:
    std::unique_ptr<MessageBoxes> boxes_;
};

} // namespace norvane
