#include "app/Mpgs.h"

#include "app/error_box.h"
#include "app/message_boxes.h"
#include "app/message_log_widget.h"
#include "decode/receive_loop.h"
#include "replay/replay_player.h"
#include "survey/ui/position_accuracy_window.h"
#include "view/ui/snr_chart.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace norvane {

namespace {

// The receiver-family question.
const QString kFamilyQuestion = QStringLiteral("What kind of GPS select ?");
const QString kVexaButton = QStringLiteral("Vexa Series ");
const QString kLumoButton = QStringLiteral("Lumo Series ");

} // namespace

Tgpsw::Tgpsw(ProgramRecords& records, QWidget* parent) : QWidget(parent, Qt::Window), records_(records)
{
    createControls();
    connectHandlers();
    connectAccuracyWindow();
    receiveLoop_ =
        std::make_unique<ReceiveLoop>(records_.link, records_.receiver, records_.receiveBuffer, *this);
    resetMainWindow();
    FormCreate();
}

Tgpsw::~Tgpsw() = default;

void Tgpsw::attachWindows(Tviewp* viewPoint, TFtest* test)
{
    viewp_ = viewPoint;
    Ftest_ = test;
    connectViewPointWindow();
    connectTestWindow();
}

void Tgpsw::resetMainWindow()
{
    setOuterSize(QSize(420, 530));
    if (cbBandRate->currentText().isEmpty())
        cbBandRate->setCurrentIndex(0);
    cbBandRate->setEditable(false);
    if (cbComPort->currentText().isEmpty())
        cbComPort->setCurrentIndex(2);
    cbComPort->setEditable(false);
    switchReceiveLoop(false);
    Timer1->setInterval(1000);
    resetSatellites(records_.receiver.state);
    records_.receiver.ttffTicks = 0;
    Chart1->clearBars();
    for (QLineEdit* field :
         {td_time, td_lati_sat, td_longi_sat, td_mode, td_date, td_speed, td_pdop, td_alti, td_ttff})
        field->clear();
    memoClear();
    for (QLineEdit* field : {td_vers1, td_vers2, td_vers3})
        field->clear();
    records_.receiver.state.fix_mode = '0';
    records_.receiver.state.gsv_count = 0;
    drawSkyGrid();
    lb_pres->hide();
    applyLayout();
    Chart1->clearBars();
    Chart1->update();
    QCoreApplication::processEvents();
}

// The size is given for the whole window; the frame is known only once the window manager
// has framed the window, and counts as nothing before.
void Tgpsw::setOuterSize(QSize outer)
{
    const QSize frame = frameGeometry().size() - geometry().size();
    setFixedSize(outer - frame.expandedTo(QSize(0, 0)));
}

void Tgpsw::applyLayout()
{
    const bool connected = btStart->text() == QLatin1String("Off");
    if (!connected && btStart->text() != QLatin1String("Start"))
        return;
    for (QPushButton* button : {bt_cold, bt_point, bt_refresh, bt_savelog})
        button->setEnabled(connected);
    btAutoscan->setVisible(!connected);
    bt_change->setVisible(connected);
    openRecordingAction_->setEnabled(!connected);
    if (accuracy_)
        accuracy_->setConnected(connected);
}

void Tgpsw::receiverFamilyDialog()
{
    const QuestionAnswer answer = messageBoxes().ask(this, kFamilyQuestion, kVexaButton, kLumoButton);
    const bool lumo = answer == QuestionAnswer::Second;
    records_.receiver.state.receiver_family = lumo ? kLumoFamily : kVexaFamily;
    bt_refresh->setVisible(!lumo);
    bt_revision->setVisible(lumo);
    bt_change->setText(lumo ? QStringLiteral("Lumo Series") : QStringLiteral("Vexa Series"));
}

void Tgpsw::FormCreate()
{
    records_.receiver.state.receiver_family = kVexaFamily;
    receiverFamilyDialog();
}

void Tgpsw::FormClose()
{
    records_.link.purgeInput();
    records_.link.closePort();
}

void Tgpsw::closeEvent(QCloseEvent* event)
{
    runGuarded([&] { FormClose(); });
    event->accept();
    QCoreApplication::quit();
}

void Tgpsw::bt_changeClick()
{
    receiverFamilyDialog();
}

void Tgpsw::setTimerEnabled(QTimer* timer, bool enabled)
{
    if (!enabled)
        timer->stop();
    else if (!timer->isActive())
        timer->start();
}

// A tick lets the window handle pending messages (the SNR chart update, the restarts the
// restart test makes), so Off, Upgrade or a restart can run inside it. The timer stays off
// until the tick ends; then it comes back unless a handler inside the tick switched it, in
// which case that handler's last word stands.
void Tgpsw::switchReceiveLoop(bool on)
{
    if (tickRunning_)
        receiveLoopAfterTick_ = on;
    else
        setTimerEnabled(Timer1, on);
}

void Tgpsw::Timer1Timer()
{
    Timer1->stop();
    tickRunning_ = true;
    receiveLoopAfterTick_.reset();
    // An exception out of the tick (shown by the error box) leaves the timer off, but must not
    // leave the switch deferring every later start.
    struct TickEnd {
        bool& running;
        ~TickEnd() { running = false; }
    } tickEnd{tickRunning_};
    {
        MessageLogWidget::LineBatch lines(*Memo1);
        receiveLoop_->tick();
    }
    accuracy_->receiveTickEnded();
    setTimerEnabled(Timer1, receiveLoopAfterTick_.value_or(true));
}

int Tgpsw::memoLineCount()
{
    return Memo1->memoLineCount();
}

void Tgpsw::memoClear()
{
    Memo1->memoClear();
}

void Tgpsw::memoAddLine(const std::string& line)
{
    Memo1->memoAddLine(line);
}

std::string Tgpsw::ttffText()
{
    return td_ttff->text().toLatin1().toStdString();
}

void Tgpsw::setTtffText(const std::string& text)
{
    td_ttff->setText(QString::fromLatin1(text.c_str()));
}

QLineEdit* Tgpsw::versionField(int index) const
{
    switch (index) {
    case 1:
        return td_vers1;
    case 2:
        return td_vers2;
    case 3:
        return td_vers3;
    default:
        return nullptr;
    }
}

std::string Tgpsw::versionText(int index)
{
    QLineEdit* field = versionField(index);
    return field ? field->text().toLatin1().toStdString() : std::string();
}

void Tgpsw::setVersionText(int index, const std::string& text)
{
    if (QLineEdit* field = versionField(index)) {
        field->setText(QString::fromLatin1(text.c_str()));
        // Identification texts are wider than their fields; show their start, where the name is.
        field->setCursorPosition(0);
    }
}

void Tgpsw::setConnectionButtonsEnabled(bool enabled)
{
    for (QPushButton* button : {bt_point, bt_savelog})
        button->setEnabled(enabled);
    // A tick that took Upgrade inside it ends with the download running; a replay has no
    // receiver to send to.
    for (QPushButton* button : {bt_cold, bt_refresh, bt_revision})
        button->setEnabled(enabled && !downloadRunning() && !replay_);
}

} // namespace norvane
