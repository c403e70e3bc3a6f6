#pragma once

#include "decode/receive_sink.h"
#include "decode/receiver_state.h"

#include <string>
#include <vector>

namespace norvane::test {

// A ReceiveSink that keeps every call: the memo as a real list of lines, the raw-log texts as
// they would reach the file, the display calls in order, and the fields it stands in for.
class RecordingSink : public ReceiveSink {
public:
    // With a receiver attached, an empty raw-log append records the receiver's sentence text, as
    // the window's append writes it; otherwise the text passed is recorded.
    explicit RecordingSink(const Receiver* receiver = nullptr) : receiver_(receiver) {}

    int memoLineCount() override { return static_cast<int>(memo.size()); }
    void memoClear() override;
    void memoAddLine(const std::string& line) override;
    void appendRawLog(const std::string& text) override;

    void showPosition() override { calls.push_back("showPosition"); }
    void showAltitude() override { calls.push_back("showAltitude"); }
    void showTime() override { calls.push_back("showTime"); }
    void showDate() override { calls.push_back("showDate"); }
    void showSpeed() override { calls.push_back("showSpeed"); }
    void showFixMode() override { calls.push_back("showFixMode"); }
    void showPdop() override { calls.push_back("showPdop"); }
    void updateSnrChart() override { calls.push_back("updateSnrChart"); }
    void drawSkyPlot() override { calls.push_back("drawSkyPlot"); }
    bool viewPointVisible() override { return viewPointShown; }
    void plotViewPoint() override { calls.push_back("plotViewPoint"); }

    std::string ttffText() override { return ttff; }
    void setTtffText(const std::string& text) override;

    std::string versionText(int index) override;
    void setVersionText(int index, const std::string& text) override;

    void restartTestTick(int bytesRead) override { restartTestTicks.push_back(bytesRead); }
    void setConnectionButtonsEnabled(bool enabled) override { buttonsEnabled.push_back(enabled); }

    // Calls whose name is `name`, counted over the whole recording.
    int count(const std::string& name) const;
    // Forgets the display calls so a test can look at what one step did.
    void clearCalls() { calls.clear(); }

    std::vector<std::string> memo;
    int memoClears = 0;
    std::vector<std::string> rawLog;
    std::vector<std::string> calls;         // display calls, in order
    bool viewPointShown = false;            // what viewPointVisible() answers
    std::string ttff;                       // td_ttff
    std::vector<std::string> ttffWrites;    // every text written to td_ttff
    std::string versions[3];                // td_vers1 .. td_vers3
    std::vector<std::string> versionWrites; // "<index>:<text>" for every write
    std::vector<int> restartTestTicks;
    std::vector<bool> buttonsEnabled; // one entry per enable or disable of the five buttons

private:
    const Receiver* receiver_;
};

} // namespace norvane::test
