#pragma once

#include <string>

namespace norvane {

// What the receive loop needs from the main window. The window implements it with its
// widgets; tests implement it with a recorder.
class ReceiveSink {
public:
    virtual ~ReceiveSink() = default;

    // Memo1, the program's message log.
    virtual int memoLineCount() = 0;
    virtual void memoClear() = 0;
    virtual void memoAddLine(const std::string& line) = 0;

    // Append to raw log: writes the receiver's sentence text while saving is on.
    virtual void appendRawLog(const std::string& text) = 0;

    // Fix panel, sky plot, SNR chart and view point, called after each decoded sentence.
    virtual void showPosition() = 0;
    virtual void showAltitude() = 0;
    virtual void showTime() = 0;
    virtual void showDate() = 0;
    virtual void showSpeed() = 0;
    virtual void showFixMode() = 0;
    virtual void showPdop() = 0;
    virtual void updateSnrChart() = 0;
    virtual void drawSkyPlot() = 0;
    virtual bool viewPointVisible() = 0;
    virtual void plotViewPoint() = 0;

    // td_ttff, read back and rewritten at the end of every tick.
    virtual std::string ttffText() = 0;
    virtual void setTtffText(const std::string& text) = 0;

    // td_vers1 .. td_vers3 (index 1 to 3), written by the identification handling.
    virtual std::string versionText(int index) = 0;
    virtual void setVersionText(int index, const std::string& text) = 0;

    // The restart test's tick step, given the number of bytes the tick read.
    virtual void restartTestTick(int bytesRead) = 0;

    // bt_cold, bt_point, bt_refresh, bt_savelog and bt_revision together.
    virtual void setConnectionButtonsEnabled(bool enabled) = 0;
};

} // namespace norvane
