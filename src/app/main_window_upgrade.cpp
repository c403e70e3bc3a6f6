// The Upgrade button and the download tick of the main window: the work is done by the
// window-free upgrade code, these handlers only lend it the window's controls.
#include "app/Mpgs.h"
#include "app/message_boxes.h"
#include "control/ui/Testgps.h"
#include "upgrade/download_tick.h"
#include "upgrade/upgrade_start.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QTimer>

namespace norvane {

class Tgpsw::WindowUpgradeHost : public UpgradeHost {
public:
    explicit WindowUpgradeHost(Tgpsw& window) : window_(window) {}

    int memoLineCount() override { return window_.memoLineCount(); }
    void memoClear() override { window_.memoClear(); }
    void memoAddLine(const std::string& line) override { window_.memoAddLine(line); }
    void showMessage(const std::string& text) override
    {
        messageBoxes().inform(&window_, QString::fromLatin1(text.c_str()), QString());
    }
    void appendRawLog(const std::string& text) override { window_.appendRawLog(text); }

    void setReceiveLoopEnabled(bool enabled) override { window_.switchReceiveLoop(enabled); }
    void setDownloadTimerEnabled(bool enabled) override { setTimerEnabled(window_.Timer2, enabled); }

    void setProgressCaption(const std::string& caption) override
    {
        window_.lb_pres->setText(QString::fromLatin1(caption.c_str()));
        // Sized to each caption: the designed 16 pixels hold about one letter of "Burning".
        window_.lb_pres->adjustSize();
    }
    void setProgressVisible(bool visible) override { window_.lb_pres->setVisible(visible); }

    void setUpgradeButtonEnabled(bool enabled) override { window_.bt_refresh->setEnabled(enabled); }
    void setPortUsersEnabled(bool enabled) override { window_.setPortUsersEnabled(enabled); }
    std::string userRateText() override { return window_.cbBandRate->currentText().toLatin1().toStdString(); }

private:
    Tgpsw& window_;
};

bool Tgpsw::downloadRunning() const
{
    return upgradeSession().running;
}

void Tgpsw::setPortUsersEnabled(bool enabled)
{
    for (QPushButton* button : {bt_cold, bt_warm, bt_hot, Button1, bt_revision})
        button->setEnabled(enabled);
    // The restart test pauses with its buttons: the receive loop, which drives it, is off.
    if (Ftest_)
        Ftest_->setEnabled(enabled);
}

std::string Tgpsw::stopRunningDownload()
{
    WindowUpgradeHost host(*this);
    UpgradeContext context{upgradeSession(), records_.link, records_.receiveBuffer,
                           records_.receiver.sentenceText, host};
    return stopDownload(context);
}

void Tgpsw::bt_refreshClick()
{
    WindowUpgradeHost host(*this);
    UpgradeContext context{upgradeSession(), records_.link, records_.receiveBuffer,
                           records_.receiver.sentenceText, host};
    startUpgrade(context);
}

void Tgpsw::Timer2Timer()
{
    WindowUpgradeHost host(*this);
    UpgradeContext context{upgradeSession(), records_.link, records_.receiveBuffer,
                           records_.receiver.sentenceText, host};
    downloadTick(context);
}

} // namespace norvane
