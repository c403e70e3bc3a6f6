#pragma once

// An UpgradeHost that records what the upgrade shows, for tests without a window.

#include "upgrade/upgrade_host.h"

#include <string>
#include <vector>

namespace norvane::upgradetest {

class RecordingUpgradeHost : public UpgradeHost {
public:
    std::vector<std::string> memo;
    std::vector<std::string> boxes;
    std::vector<std::string> rawLog;
    std::vector<std::string> captions; // every caption set, in order
    bool receiveLoopOn = true;
    bool downloadTimerOn = false;
    int downloadTimerStarts = 0;
    bool progressVisible = false;
    bool upgradeButtonOn = true;
    bool portUsersOn = true;
    std::string rateText = "9600";

    int memoLineCount() override { return static_cast<int>(memo.size()); }
    void memoClear() override { memo.clear(); }
    void memoAddLine(const std::string& line) override { memo.push_back(line); }
    void showMessage(const std::string& text) override { boxes.push_back(text); }
    void appendRawLog(const std::string& text) override { rawLog.push_back(text); }
    void setReceiveLoopEnabled(bool enabled) override { receiveLoopOn = enabled; }
    void setDownloadTimerEnabled(bool enabled) override
    {
        downloadTimerOn = enabled;
        downloadTimerStarts += enabled ? 1 : 0;
    }
    void setProgressCaption(const std::string& caption) override { captions.push_back(caption); }
    void setProgressVisible(bool visible) override { progressVisible = visible; }
    void setUpgradeButtonEnabled(bool enabled) override { upgradeButtonOn = enabled; }
    void setPortUsersEnabled(bool enabled) override { portUsersOn = enabled; }
    std::string userRateText() override { return rateText; }

    std::string caption() const { return captions.empty() ? std::string() : captions.back(); }
};

} // namespace norvane::upgradetest
