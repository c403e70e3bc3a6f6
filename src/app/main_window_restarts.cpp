// ColdStart, WarmStart and HotStart, and the version queries of both receiver families.

#include "app/Mpgs.h"
#include "control/command_sending.h"
#include "control/restart_commands.h"
#include "desktop/ui/eliding_line_edit.h"
#include "view/ui/snr_chart.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>

namespace norvane {

// The restart commands' view of the main window.
class Tgpsw::WindowRestartHost : public RestartHost {
public:
    explicit WindowRestartHost(Tgpsw& window) : window_(window) {}

    void setTimer1Enabled(bool enabled) override { window_.switchReceiveLoop(enabled); }

    void setColdButtonEnabled(bool enabled) override { window_.bt_cold->setEnabled(enabled); }

    int memoLineCount() override { return window_.memoLineCount(); }
    void memoClear() override { window_.memoClear(); }
    void memoAddLine(const std::string& line) override { window_.memoAddLine(line); }

    void clearRestartDisplay() override
    {
        window_.td_vers1->setText(QString());
        window_.td_vers2->setText(QString());
        window_.td_vers3->setText(QString());
        window_.Chart1->clearBars();
        window_.Chart1->update();
        QCoreApplication::processEvents();
    }

    void resetMainWindow() override { window_.resetMainWindow(); }

private:
    Tgpsw& window_;
};

void Tgpsw::bt_coldClick()
{
    if (downloadRunning())
        return;
    WindowRestartHost host(*this);
    RestartCommands(records_.link, records_.receiver, host).cold();
}

void Tgpsw::bt_warmClick()
{
    if (downloadRunning())
        return;
    WindowRestartHost host(*this);
    RestartCommands(records_.link, records_.receiver, host).warm();
}

void Tgpsw::bt_hotClick()
{
    if (downloadRunning())
        return;
    WindowRestartHost host(*this);
    RestartCommands(records_.link, records_.receiver, host).hot();
}

void Tgpsw::Button1Click()
{
    if (downloadRunning())
        return;
    records_.link.purgeInput();
    sendVexaQuery(records_.link);
}

void Tgpsw::bt_revisionClick()
{
    if (downloadRunning())
        return;
    records_.link.purgeInput();
    sendLumoRevisionQuery(records_.link);
}

} // namespace norvane
