#pragma once

#include "decode/receive_sink.h"

namespace norvane {

// A receive sink for the commands without a window: nothing is shown, nothing goes to a memo
// or a raw log, and the TTFF text is only kept. A command overrides what it measures.
class QuietReceiveSink : public ReceiveSink {
public:
    // MessageLog
    int memoLineCount() override { return 0; }
    void memoClear() override {}
    void memoAddLine(const std::string&) override {}

    // RawLogSink
    void appendRawLog(const std::string&) override {}

    // TtffField
    std::string ttffText() override { return ttffText_; }
    void setTtffText(const std::string& text) override { ttffText_ = text; }

    void showPosition() override {}
    void showAltitude() override {}
    void showTime() override {}
    void showDate() override {}
    void showSpeed() override {}
    void showFixMode() override {}
    void showPdop() override {}
    void updateSnrChart() override {}
    void drawSkyPlot() override {}
    bool viewPointVisible() override { return false; }
    void plotViewPoint() override {}
    std::string versionText(int) override { return {}; }
    void setVersionText(int, const std::string&) override {}
    void restartTestTick(int) override {}
    void setConnectionButtonsEnabled(bool) override {}

private:
    std::string ttffText_;
};

} // namespace norvane
