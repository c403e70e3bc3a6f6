// bt_test and the main window's side of the restart test window.

#include "app/Mpgs.h"
#include "control/restart_test_host.h"
#include "control/ui/Testgps.h"
#include "replay/replay_player.h"
#include "survey/ui/position_accuracy_window.h"

#include <QPushButton>
#include <memory>

namespace norvane {

// Test mode is bt_test's caption, the TTFF counting is the receive loop's, and the restarts
// are the main window's own buttons.
class Tgpsw::WindowTestHost : public RestartTestHost {
public:
    explicit WindowTestHost(Tgpsw& window) : window_(window) {}

    bool testModeOn() override { return window_.bt_test->text() == QLatin1String("Testing"); }
    int ttffTicks() override { return window_.records_.receiver.ttffTicks; }
    void setTtffTicks(int ticks) override { window_.records_.receiver.ttffTicks = ticks; }
    char fixMode() override { return window_.records_.receiver.state.fix_mode; }
    void setFixMode(char mode) override { window_.records_.receiver.state.fix_mode = mode; }
    int ttffShown() override { return window_.ttffShown(); }
    std::int64_t restartWrittenMs() override { return window_.records_.link.lastWriteMs(); }

    void restart(RestartKind kind) override
    {
        switch (kind) {
        case RestartKind::Cold:
            window_.bt_coldClick();
            break;
        case RestartKind::Warm:
            window_.bt_warmClick();
            break;
        case RestartKind::Hot:
            window_.bt_hotClick();
            break;
        }
    }

private:
    Tgpsw& window_;
};

void Tgpsw::connectTestWindow()
{
    if (Ftest_)
        Ftest_->setHost(std::make_unique<WindowTestHost>(*this));
}

void Tgpsw::bt_testClick()
{
    if (!Ftest_)
        return;
    if (bt_test->text() == QLatin1String("Test")) {
        Ftest_->placeWindow(pos() + QPoint(200, 295), QSize(200, 230));
        Ftest_->resetTestButtons(true);
        Ftest_->show();
        bt_test->setText(QStringLiteral("Testing"));
    } else {
        bt_test->setText(QStringLiteral("Test"));
        Ftest_->hide();
        Ftest_->resetTestButtons(false);
    }
}

void Tgpsw::sentenceDecoded(const std::string& type, const std::string& sentence)
{
    if (Ftest_)
        Ftest_->sentenceDecoded(type, records_.receiver.state);
    accuracy_->sentenceDecoded(type, sentence);
}

void Tgpsw::restartTestTick(int bytesRead)
{
    // Paused while a download has the port (a tick that took Upgrade inside it ends here), and
    // nothing to restart in a replay.
    if (Ftest_ && !downloadRunning() && !replay_)
        Ftest_->tickStep(bytesRead);
}

} // namespace norvane
