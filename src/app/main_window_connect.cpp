// Connecting by hand (Start/Off) and by scanning every port and rate (AutoScan).

#include "app/Mpgs.h"
#include "app/message_boxes.h"
#include "app/scan_progress.h"
#include "decode/scan_listening.h"
#include "replay/replay_player.h"
#include "serial/clock.h"

#include <QComboBox>
#include <QPushButton>

namespace norvane {

namespace {

constexpr int kPortReleaseMs = 1000;

std::string textOf(const QComboBox* box)
{
    return box->currentText().toLatin1().toStdString();
}

} // namespace

void Tgpsw::btStartClick()
{
    // Read once: a successful connect turns the caption to "Off", which must not then be
    // taken as a request to disconnect in the same click.
    const QString caption = btStart->text();
    if (replay_)
        endReplay();
    else if (caption == QLatin1String("Start"))
        connectLink();
    else if (caption == QLatin1String("Off"))
        disconnectLink();
}

void Tgpsw::connectLink()
{
    if (!records_.link.openLink(textOf(cbComPort), textOf(cbBandRate))) {
        messageBoxes().inform(this, QStringLiteral("Com Port Error"), QStringLiteral("error"));
        return;
    }
    switchReceiveLoop(true);
    btStart->setText(QStringLiteral("Off"));
    applyLayout();
    rememberConnection();
}

// A running download is stopped before the port goes; its line follows the reset, which
// clears the log.
void Tgpsw::disconnectLink()
{
    const std::string downloadStopped = stopRunningDownload();
    switchReceiveLoop(false);
    records_.link.closePort();
    btStart->setText(QStringLiteral("Start"));
    resetMainWindow();
    if (!downloadStopped.empty())
        memoAddLine(downloadStopped);
}

void Tgpsw::btAutoscanClick()
{
    cbComPort->setCurrentIndex(0);
    btStart->setEnabled(false);
    const ScanEnd end = [&] {
        ScanProgress progress(this);
        return scanPorts(progress);
    }();
    if (end == ScanEnd::Found) {
        btStart->setText(QStringLiteral("Off"));
        btStart->setEnabled(true);
        resetMainWindow();
        switchReceiveLoop(true);
        rememberConnection();
        return;
    }
    if (end == ScanEnd::NothingFound)
        messageBoxes().inform(nullptr, QStringLiteral("Don't find GPS"), QString());
    btStart->setEnabled(true);
    cbComPort->setCurrentIndex(0);
    cbBandRate->setCurrentIndex(0);
}

// From the selected port to the last; on a find the link stays open at the port and rate the
// boxes show. An empty UART slot opens like a port but can never answer: it is passed over.
Tgpsw::ScanEnd Tgpsw::scanPorts(ScanProgress& progress)
{
    if (records_.link.isOpen()) {
        records_.link.closePort();
        clock().sleepMs(kPortReleaseMs);
    }
    for (int port = cbComPort->currentIndex(); port < cbComPort->count() && !progress.cancelled(); ++port) {
        cbComPort->setCurrentIndex(port);
        const std::string portText = textOf(cbComPort);
        // The receive loop's sentence text doubles as the scan's note of the port it tries.
        records_.receiver.sentenceText = portText;
        if (!records_.link.noHardwareBehind(portText) && records_.link.openPort(portText) &&
            scanRates(portText, progress))
            return ScanEnd::Found;
        if (!progress.cancelled())
            memoAddLine(portText + "open fales !");
    }
    return progress.cancelled() ? ScanEnd::Cancelled : ScanEnd::NothingFound;
}

// Tries every rate on the open port; on a find the link stays open at that rate and the rate
// box shows it. Otherwise the port is closed again.
bool Tgpsw::scanRates(const std::string& portText, ScanProgress& progress)
{
    cbBandRate->setCurrentIndex(0);
    for (int rate = 0; !cbBandRate->currentText().isEmpty(); cbBandRate->setCurrentIndex(++rate)) {
        if (progress.cancelled()) {
            records_.link.closePort();
            return false;
        }
        progress.showTrying(cbComPort->currentText(), cbBandRate->currentText());
        if (!records_.link.setLineSettings(textOf(cbBandRate))) {
            // A refused rate closes the link; without reopening, the remaining rates of this
            // port would all be tried on a closed link.
            records_.link.openPort(portText);
            continue;
        }
        // Esc during the listening stands, whatever was heard.
        if (listenForReceiver(records_.link, records_.receiveBuffer) && !progress.cancelled())
            return true;
    }
    records_.link.closePort();
    clock().sleepMs(kPortReleaseMs);
    return false;
}

} // namespace norvane
