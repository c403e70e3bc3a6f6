#include "app/Mpgs.h"
#include "control/command_sending.h"
#include "control/restart_commands.h"
#include "view/ui/snr_chart.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace norvane {

namespace {

// The restart commands' view of the main window.
class WindowRestartHost : public RestartHost {
public:
    explicit WindowRestartHost(Tgpsw& window) : window_(window) {}

    void setTimer1Enabled(bool enabled) override
    {
        // Enabling a running timer must not push its next tick back.
        if (!enabled)
            window_.Timer1->stop();
        else if (!window_.Timer1->isActive())
            window_.Timer1->start();
    }

    void setColdButtonEnabled(bool enabled) override { window_.bt_cold->setEnabled(enabled); }

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

} // namespace

void Tgpsw::bt_coldClick()
{
    WindowRestartHost host(*this);
    RestartCommands(link, receiver, host).cold();
}

void Tgpsw::bt_warmClick()
{
    WindowRestartHost host(*this);
    RestartCommands(link, receiver, host).warm();
}

void Tgpsw::bt_hotClick()
{
    WindowRestartHost host(*this);
    RestartCommands(link, receiver, host).hot();
}

void Tgpsw::restartReset()
{
    WindowRestartHost host(*this);
    norvane::restartReset(receiver, host);
}

void Tgpsw::Button1Click()
{
    link.purgeInput();
    sendVexaQuery(link);
}

void Tgpsw::bt_revisionClick()
{
    link.purgeInput();
    sendLumoRevisionQuery(link);
}

} // namespace norvane
