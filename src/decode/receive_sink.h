#pragma once

#include "log/log_sinks.h"

#include <string>

namespace norvane {

// td_ttff, the TTFF tick count as the window shows it: the receive loop reads it back and
// rewrites it at the end of every tick, and the restart test reads the count the 3D fix came at.
class TtffField {
public:
    virtual ~TtffField() = default;
    virtual std::string ttffText() = 0;
    virtual void setTtffText(const std::string& text) = 0;

    // The count the field shows, read the one way every reader uses.
    int ttffShown();
};

// What the receive loop needs from the main window. The window implements it with its
// widgets; tests implement it with a recorder.
class ReceiveSink : public MessageLog, public RawLogSink, public TtffField {
public:
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

    // td_vers1 .. td_vers3 (index 1 to 3), written by the identification handling.
    virtual std::string versionText(int index) = 0;
    virtual void setVersionText(int index, const std::string& text) = 0;

    // The restart test's tick step, given the number of bytes the tick read.
    virtual void restartTestTick(int bytesRead) = 0;

    // bt_cold, bt_point, bt_refresh, bt_savelog and bt_revision together.
    virtual void setConnectionButtonsEnabled(bool enabled) = 0;

    // After a sentence with a valid checksum has been decoded and shown, with its type ("GGA",
    // "GSA", ...) and its text as the decoders had it (CR LF pairs removed, a line feed last):
    // the TTFF measurement times the fix by the sentence that brings it, and the measurements
    // that read more of a sentence than the receiver state keeps read it here.
    virtual void sentenceDecoded(const std::string& type, const std::string& sentence)
    {
        (void)type;
        (void)sentence;
    }
};

} // namespace norvane
