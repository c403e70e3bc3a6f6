// Connecting by hand (Start/Off) and by scanning every port and rate (AutoScan).

#include "app/Mpgs.h"
#include "app/message_boxes.h"
#include "decode/scan_detection.h"
#include "replay/replay_player.h"
#include "serial/clock.h"

#include <QComboBox>
#include <QPushButton>

namespace norvane {

namespace {

constexpr int kRateSettleMs = 700;
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
    if (records_.link.isOpen()) {
        records_.link.closePort();
        clock().sleepMs(kPortReleaseMs);
    }
    for (int port = cbComPort->currentIndex(); port < cbComPort->count(); ++port) {
        cbComPort->setCurrentIndex(port);
        const std::string portText = textOf(cbComPort);
        // The receive loop's sentence text doubles as the scan's note of the port it tries.
        records_.receiver.sentenceText = portText;
        if (records_.link.openPort(portText) && scanRates(portText)) {
            btStart->setText(QStringLiteral("Off"));
            btStart->setEnabled(true);
            resetMainWindow();
            switchReceiveLoop(true);
            return;
        }
        memoAddLine(portText + "open fales !");
    }
    messageBoxes().inform(nullptr, QStringLiteral("Don't find GPS"), QString());
    btStart->setEnabled(true);
    cbComPort->setCurrentIndex(0);
    cbBandRate->setCurrentIndex(0);
}

// Tries every rate on the open port; on a find the link stays open at that rate and the rate
// box shows it. Otherwise the port is closed again.
bool Tgpsw::scanRates(const std::string& portText)
{
    cbBandRate->setCurrentIndex(0);
    for (int rate = 0; !cbBandRate->currentText().isEmpty(); cbBandRate->setCurrentIndex(++rate)) {
        if (!records_.link.setLineSettings(textOf(cbBandRate))) {
            // A refused rate closes the link; without reopening, the remaining rates of this
            // port would all be tried on a closed link.
            records_.link.openPort(portText);
            continue;
        }
        clock().sleepMs(kRateSettleMs);
        // Read as much as a tick would: a fast receiver's burst of more than 1000 bytes is its
        // fresh output, and discarding it left the scan listening into a gap between bursts.
        const int count =
            records_.link.readAvailable(records_.receiveBuffer, tickReadLimit(records_.link.lineRate()));
        if (receiverSeen(records_.receiveBuffer.data(), count))
            return true;
    }
    records_.link.closePort();
    clock().sleepMs(kPortReleaseMs);
    return false;
}

} // namespace norvane
