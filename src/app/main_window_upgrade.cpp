// The Upgrade button and the download tick of the main window: the work is done by the
// window-free upgrade code, these handlers only lend it the window's controls.
#include "app/Mpgs.h"
#include "app/message_boxes.h"
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

    void setReceiveLoopEnabled(bool enabled) override { setTimerEnabled(window_.Timer1, enabled); }
    void setDownloadTimerEnabled(bool enabled) override { setTimerEnabled(window_.Timer2, enabled); }

    void setProgressCaption(const std::string& caption) override
    {
        window_.lb_pres->setText(QString::fromLatin1(caption.c_str()));
    }
    void setProgressVisible(bool visible) override { window_.lb_pres->setVisible(visible); }

    void setUpgradeButtonEnabled(bool enabled) override { window_.bt_refresh->setEnabled(enabled); }
    std::string userRateText() override { return window_.cbBandRate->currentText().toLatin1().toStdString(); }

private:
    Tgpsw& window_;
};

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
