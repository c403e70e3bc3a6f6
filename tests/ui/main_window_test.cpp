// The main window as a user and a screen reader meet it: start-up, the family question, the
// reset, the message log and the standard error box.

#include "app/Mpgs.h"
#include "app/error_box.h"
#include "app/message_boxes.h"
#include "app/message_log_widget.h"
#include "support/fake_port_backend.h"
#include "ui/support/controls.h"
#include "ui/support/port_map.h"
#include "ui/support/scripted_message_boxes.h"
#include "ui/support/ui_test_main.h"
#include "view/ui/snr_chart.h"

#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <QtTest>
#include <memory>
#include <stdexcept>

using namespace norvane;
using uitest::RecordedBox;
using uitest::ScriptedMessageBoxes;

namespace {

const char* const kControlNames[] = {
    "lbComPort", "cbComPort", "lbBaudRate",  "cbBandRate",   "btStart", "btAutoscan",  "bt_change",
    "bt_point",  "bt_cold",   "bt_warm",     "bt_hot",       "Image1",  "Image2",      "td_vers1",
    "td_vers2",  "td_vers3",  "bt_savelog",  "bt_refresh",   "Label7",  "Label9",      "Label8",
    "td_mode",   "td_ttff",   "td_pdop",     "Label1",       "Label2",  "td_date",     "td_time",
    "Label3",    "Label4",    "td_lati_sat", "td_longi_sat", "Label5",  "Label6",      "td_alti",
    "td_speed",  "lb_pres",   "Memo1",       "Chart1",       "Button1", "bt_revision", "bt_test",
};

QStringList itemsOf(const QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

QLineEdit* fieldNamed(QWidget& window, const QString& accessibleName)
{
    for (QLineEdit* field : window.findChildren<QLineEdit*>())
        if (field->accessibleName() == accessibleName)
            return field;
    return nullptr;
}

// An object whose event handling throws, for the application's error box.
class ThrowingObject : public QObject {
public:
    bool throwStandard = true;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        if (throwStandard)
            throw std::runtime_error("'abc' is not a valid floating point value");
        throw 42;
    }
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void startUpAsksTheFamilyQuestionBeforeShowing();
    void startUpShowsTheDesignedWindow();
    void startUpLayoutIsIdle();
    void comboBoxesHoldTheListedItems();
    void everyFieldIsNamedForScreenReaders();
    void portListSaysWhereEachNameLeads();
    void familyAnswers_data();
    void familyAnswers();
    void changeAsksAgainWithoutTouchingTheLink();
    void resetEmptiesTheDisplayAndKeepsTheChosenPort();
    void resetFallsBackOnlyForEmptyBoxes();
    void messageLogCountsLinesAsAdded();
    void messageLogStartsAfreshAfter501Sentences();
    void messageLogBatchKeepsWhatSingleLinesGive();
    void messageLogKeepsTheNewestLineInView();
    void connectionButtonsAreTheFive();
    void closingTheWindowPurgesAndClosesTheLink();
    void realQuestionDialogAnswers_data();
    void realQuestionDialogAnswers();
    void escapingExceptionsEndInTheErrorBox();
};

void MainWindowTest::startUpAsksTheFamilyQuestionBeforeShowing()
{
    ScriptedMessageBoxes boxes;
    bool windowVisibleWhenAsked = true;
    QString comPortWhenAsked;
    Tgpsw* owner = nullptr;
    boxes.onBox = [&](const RecordedBox& box) {
        owner = qobject_cast<Tgpsw*>(box.owner.data());
        windowVisibleWhenAsked = owner && owner->isVisible();
        if (owner)
            comPortWhenAsked = uitest::control<QComboBox>(owner, "cbComPort")->currentText();
    };
    ProgramRecords records;
    Tgpsw window(records);
    QCOMPARE(boxes.count(), 1);
    const RecordedBox box = boxes.last();
    QCOMPARE(box.kind, RecordedBox::Kind::Ask);
    QCOMPARE(box.text, QString("What kind of GPS select ?"));
    QCOMPARE(box.firstButton, QString("Vexa Series "));
    QCOMPARE(box.secondButton, QString("Lumo Series "));
    QVERIFY(box.hadOwner);
    QCOMPARE(owner, &window);
    QVERIFY(!windowVisibleWhenAsked);
    // The reset ran before the question.
    QCOMPARE(comPortWhenAsked, QString("  COM3"));
}

void MainWindowTest::startUpShowsTheDesignedWindow()
{
    ScriptedMessageBoxes boxes;
    ProgramRecords records;
    Tgpsw window(records);
    QCOMPARE(window.windowTitle(), QString("Norvane Ver 0.0.97 2007/10/19"));
    QVERIFY(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    QVERIFY(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    // It may be enlarged, never made smaller than it starts.
    QCOMPARE(window.minimumSize(), QSize(420, 530));
    // Before it is framed the whole outer size is client area; the table's right-hand column
    // ends at x = 414 and Chart1 at y = 497, both inside.
    QCOMPARE(window.width(), 420);
    QCOMPARE(window.height(), 530);
    QCOMPARE(window.pos(), QPoint(218, 306));

    for (const char* name : kControlNames)
        QVERIFY2(window.findChild<QWidget*>(name), name);
    QCOMPARE(uitest::control<QPushButton>(window, "btStart")->geometry(), QRect(152, 0, 65, 25));
    QCOMPARE(uitest::control<QPushButton>(window, "bt_change")->geometry(), QRect(224, 0, 97, 25));
    QCOMPARE(uitest::control<QPlainTextEdit>(window, "Memo1")->geometry(), QRect(0, 264, 489, 121));
    QCOMPARE(uitest::control<SnrChart>(window, "Chart1")->geometry(), QRect(-16, 360, 430, 137));
    QCOMPARE(uitest::control<QPushButton>(window, "bt_test")->geometry(), QRect(696, 272, 46, 25));
    QCOMPARE(uitest::control<QPushButton>(window, "btStart")->text(), QString("Start"));
    QCOMPARE(uitest::control<QPushButton>(window, "btAutoscan")->text(), QString("AutoScan"));
    QCOMPARE(uitest::control<QLabel>(window, "lbBaudRate")->text(), QString("Baud Rate: "));
    QCOMPARE(uitest::control<QLabel>(window, "lbComPort")->text(), QString("COM Port :"));
    QCOMPARE(uitest::control<QPushButton>(window, "bt_savelog")->text(), QString("SaveLog"));
    QVERIFY(uitest::control<QPushButton>(window, "btStart")->font().bold());
    QCOMPARE(window.font().pixelSize(), 11);
    QCOMPARE(uitest::control<QPushButton>(window, "bt_cold")->font().pixelSize(), 11);
    QCOMPARE(uitest::control<QPushButton>(window, "bt_savelog")->font().pixelSize(), 13);
    // Whatever font stands in for the named ones, the chosen port still fits its box.
    QStyleOptionComboBox option;
    option.initFrom(uitest::control<QComboBox>(window, "cbComPort"));
    option.editable = false;
    const QRect textArea = uitest::control<QComboBox>(window, "cbComPort")
                               ->style()
                               ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField,
                                                uitest::control<QComboBox>(window, "cbComPort"));
    QVERIFY(
        QFontMetrics(uitest::control<QComboBox>(window, "cbComPort")->font()).horizontalAdvance("  COM3") <=
        textArea.width());
    QVERIFY(QFontMetrics(uitest::control<QPushButton>(window, "btStart")->font()).horizontalAdvance("Start") <
            uitest::control<QPushButton>(window, "btStart")->width());
    for (QLabel* label : window.findChildren<QLabel*>())
        QVERIFY2(QFontMetrics(label->font()).horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(label->objectName()));

    QCOMPARE(uitest::control<QTimer>(window, "Timer1")->interval(), 1000);
    QVERIFY(!uitest::control<QTimer>(window, "Timer1")->isActive());
    QCOMPARE(uitest::control<QTimer>(window, "Timer2")->interval(), 300);
    QVERIFY(!uitest::control<QTimer>(window, "Timer2")->isActive());
    QVERIFY(uitest::control<QPlainTextEdit>(window, "Memo1")->isReadOnly());
    QCOMPARE(uitest::control<QPlainTextEdit>(window, "Memo1")->lineWrapMode(), QPlainTextEdit::NoWrap);
    QVERIFY(!records.link.isOpen());
}

void MainWindowTest::startUpLayoutIsIdle()
{
    ScriptedMessageBoxes boxes;
    ProgramRecords records;
    Tgpsw window(records);
    window.show();
    for (QPushButton* button :
         {uitest::control<QPushButton>(window, "bt_cold"), uitest::control<QPushButton>(window, "bt_point"),
          uitest::control<QPushButton>(window, "bt_refresh"),
          uitest::control<QPushButton>(window, "bt_savelog")})
        QVERIFY2(!button->isEnabled(), qPrintable(button->objectName()));
    for (QPushButton* button :
         {uitest::control<QPushButton>(window, "bt_warm"), uitest::control<QPushButton>(window, "bt_hot"),
          uitest::control<QPushButton>(window, "bt_test"), uitest::control<QPushButton>(window, "Button1"),
          uitest::control<QPushButton>(window, "bt_revision")})
        QVERIFY2(button->isEnabled(), qPrintable(button->objectName()));
    QVERIFY(uitest::control<QPushButton>(window, "btAutoscan")->isVisible());
    QVERIFY(!uitest::control<QPushButton>(window, "bt_change")->isVisible());
    QVERIFY(!uitest::control<QLabel>(window, "lb_pres")->isVisible());
    QCOMPARE(uitest::control<QComboBox>(window, "cbComPort")->currentText(), QString("  COM3"));
    QCOMPARE(uitest::control<QComboBox>(window, "cbBandRate")->currentText(), QString("  4800"));
    QVERIFY(!uitest::control<QComboBox>(window, "cbComPort")->isEditable());
    QVERIFY(!uitest::control<QComboBox>(window, "cbBandRate")->isEditable());
    QCOMPARE(records.receiver.state.receiver_family, kVexaFamily);
    QCOMPARE(records.receiver.state.fix_mode, '0');
}

void MainWindowTest::comboBoxesHoldTheListedItems()
{
    ScriptedMessageBoxes boxes;
    ProgramRecords records;
    Tgpsw window(records);
    const QStringList ports = itemsOf(uitest::control<QComboBox>(window, "cbComPort"));
    QCOMPARE(ports.size(), 99);
    QCOMPARE(ports.at(0), QString("  COM1"));
    QCOMPARE(ports.at(8), QString("  COM9"));
    QCOMPARE(ports.at(9), QString(" COM10"));
    QCOMPARE(ports.at(10), QString(" COM11 "));
    QCOMPARE(ports.at(11), QString(" COM12"));
    QCOMPARE(ports.at(20), QString(" COM21 "));
    QCOMPARE(ports.at(90), QString(" COM91 "));
    QCOMPARE(ports.at(98), QString(" COM99"));
    int trailing = 0;
    for (const QString& port : ports)
        trailing += port.endsWith(' ') ? 1 : 0;
    QCOMPARE(trailing, 9);
    QCOMPARE(itemsOf(uitest::control<QComboBox>(window, "cbBandRate")),
             QStringList({"  4800", "  7200", "  9600", " 14400", " 19200", " 38400", " 57600", "115200",
                          "128000", ""}));
}

void MainWindowTest::everyFieldIsNamedForScreenReaders()
{
    ScriptedMessageBoxes boxes;
    ProgramRecords records;
    Tgpsw window(records);
    const std::pair<const char*, QLineEdit*> named[] = {
        {"Mode", uitest::control<QLineEdit>(window, "td_mode")},
        {"TTFF", uitest::control<QLineEdit>(window, "td_ttff")},
        {"PDOP", uitest::control<QLineEdit>(window, "td_pdop")},
        {"Date", uitest::control<QLineEdit>(window, "td_date")},
        {"Time", uitest::control<QLineEdit>(window, "td_time")},
        {"Latitude", uitest::control<QLineEdit>(window, "td_lati_sat")},
        {"Longitude", uitest::control<QLineEdit>(window, "td_longi_sat")},
        {"Altitude", uitest::control<QLineEdit>(window, "td_alti")},
        {"Speed", uitest::control<QLineEdit>(window, "td_speed")},
        {"Identification 1", uitest::control<QLineEdit>(window, "td_vers1")},
        {"Identification 2", uitest::control<QLineEdit>(window, "td_vers2")},
        {"Identification 3", uitest::control<QLineEdit>(window, "td_vers3")},
    };
    for (auto [name, field] : named)
        QCOMPARE(fieldNamed(window, name), field);
    QCOMPARE(uitest::control<QPlainTextEdit>(window, "Memo1")->accessibleName(), QString("Message log"));
    QCOMPARE(uitest::control<QLabel>(window, "lbComPort")->buddy(),
             uitest::control<QComboBox>(window, "cbComPort"));
    QCOMPARE(uitest::control<QLabel>(window, "lbBaudRate")->buddy(),
             uitest::control<QComboBox>(window, "cbBandRate"));
    QCOMPARE(uitest::control<QLabel>(window, "Label3")->buddy(),
             uitest::control<QLineEdit>(window, "td_lati_sat"));
}

void MainWindowTest::portListSaysWhereEachNameLeads()
{
    // Any character device stands for a port that is there; the list never opens it.
    uitest::PortMap ports;
    const QString device = "/dev/null";
    ports.map(3, device.toStdString());
    ScriptedMessageBoxes boxes;
    ProgramRecords records;
    Tgpsw window(records);
    auto* list = uitest::control<QComboBox>(window, "cbComPort");
    auto described = [list](int item) {
        const QString text = list->itemData(item, Qt::AccessibleDescriptionRole).toString();
        return text == list->itemData(item, Qt::ToolTipRole).toString() ? text : QString("tooltip differs");
    };
    const QString com1Missing = "COM1 = /nonexistent/norvane-com1 (set by NORVANE_COM1, no such device)";
    const QString com3Receiver = "COM3 = " + device + " (set by NORVANE_COM3)";
    QCOMPARE(described(0), com1Missing);
    QCOMPARE(described(2), com3Receiver);
    QCOMPARE(list->toolTip(), com3Receiver);
    QCOMPARE(list->accessibleDescription(), com3Receiver);
    list->setCurrentIndex(0);
    QCOMPARE(list->toolTip(), com1Missing);
    QCOMPARE(list->accessibleDescription(), com1Missing);

    // The device moves from COM3 to COM1: hovering over the list reads every name anew.
    ports.unmap(3);
    ports.map(1, device.toStdString());
    QHelpEvent hover(QEvent::ToolTip, QPoint(5, 5), list->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(list, &hover);
    QCOMPARE(list->toolTip(), "COM1 = " + device + " (set by NORVANE_COM1)");
    QCOMPARE(described(2), QString("COM3 = /nonexistent/norvane-com3 (set by NORVANE_COM3, no such device)"));
}

void MainWindowTest::familyAnswers_data()
{
    QTest::addColumn<QuestionAnswer>("answer");
    QTest::addColumn<int>("family");
    QTest::addColumn<QString>("changeCaption");
    QTest::newRow("Enter: Vexa") << QuestionAnswer::First << 1 << "Vexa Series";
    QTest::newRow("Esc: Lumo") << QuestionAnswer::Second << 2 << "Lumo Series";
    QTest::newRow("close box: Vexa") << QuestionAnswer::Closed << 1 << "Vexa Series";
}

void MainWindowTest::familyAnswers()
{
    QFETCH(QuestionAnswer, answer);
    QFETCH(int, family);
    QFETCH(QString, changeCaption);
    ScriptedMessageBoxes boxes;
    boxes.answerNext(answer);
    ProgramRecords records;
    Tgpsw window(records);
    window.show();
    QCOMPARE(records.receiver.state.receiver_family, family);
    QCOMPARE(uitest::control<QPushButton>(window, "bt_refresh")->isVisible(), family == 1);
    QCOMPARE(uitest::control<QPushButton>(window, "bt_revision")->isVisible(), family == 2);
    QCOMPARE(uitest::control<QPushButton>(window, "bt_change")->text(), changeCaption);
}

void MainWindowTest::changeAsksAgainWithoutTouchingTheLink()
{
    ScriptedMessageBoxes boxes;
    auto backend = std::make_unique<FakePortBackend>();
    FakePortBackend* port = backend.get();
    ProgramRecords records;
    Tgpsw window(records);
    records.link = SerialLink(std::move(backend));
    QVERIFY(records.link.openPort("  COM3"));
    boxes.answerNext(QuestionAnswer::Second);
    window.bt_changeClick();
    QCOMPARE(boxes.count(), 2);
    QCOMPARE(records.receiver.state.receiver_family, kLumoFamily);
    QCOMPARE(uitest::control<QPushButton>(window, "bt_change")->text(), QString("Lumo Series"));
    QVERIFY(records.link.isOpen());
    QCOMPARE(port->closeCount, 0);
    QCOMPARE(port->purgeAttempts, 0);
    window.bt_changeClick();
    QCOMPARE(records.receiver.state.receiver_family, kVexaFamily);
}

void MainWindowTest::resetEmptiesTheDisplayAndKeepsTheChosenPort()
{
    ScriptedMessageBoxes boxes;
    ProgramRecords records;
    Tgpsw window(records);
    window.show();
    uitest::control<QComboBox>(window, "cbComPort")->setCurrentIndex(20);
    uitest::control<QComboBox>(window, "cbBandRate")->setCurrentIndex(7);
    for (QLineEdit* field : window.findChildren<QLineEdit*>())
        field->setText("old");
    window.memoAddLine("$GPGGA,old");
    uitest::control<QLabel>(window, "lb_pres")->show();
    uitest::control<SnrChart>(window, "Chart1")->addBar({1, 40, "5", Qt::blue});
    records.receiver.state.fix_mode = '3';
    records.receiver.state.gsv_count = 3;
    records.receiver.state.sat_prn[7] = 21;
    records.receiver.state.used_prns[2] = 21;
    records.receiver.state.latitude = 2459.2057;
    records.receiver.ttffTicks = 12;
    uitest::control<QTimer>(window, "Timer1")->start();
    uitest::control<QPushButton>(window, "bt_cold")->setEnabled(true);

    window.resetMainWindow();

    QCOMPARE(uitest::control<QComboBox>(window, "cbComPort")->currentText(), QString(" COM21 "));
    QCOMPARE(uitest::control<QComboBox>(window, "cbBandRate")->currentText(), QString("115200"));
    for (QLineEdit* field : window.findChildren<QLineEdit*>())
        QVERIFY2(field->text().isEmpty(), qPrintable(field->objectName()));
    QCOMPARE(window.memoLineCount(), 0);
    QVERIFY(uitest::control<QPlainTextEdit>(window, "Memo1")->toPlainText().isEmpty());
    QVERIFY(!uitest::control<QLabel>(window, "lb_pres")->isVisible());
    QVERIFY(uitest::control<SnrChart>(window, "Chart1")->bars().isEmpty());
    QCOMPARE(records.receiver.state.fix_mode, '0');
    QCOMPARE(records.receiver.state.gsv_count, 0);
    QCOMPARE(records.receiver.state.sat_prn[7], 0);
    QCOMPARE(records.receiver.state.used_prns[2], 0);
    QCOMPARE(records.receiver.state.latitude, 2459.2057);
    QCOMPARE(records.receiver.ttffTicks, 0);
    QVERIFY(!uitest::control<QTimer>(window, "Timer1")->isActive());
    QCOMPARE(uitest::control<QTimer>(window, "Timer1")->interval(), 1000);
    QVERIFY(!uitest::control<QPushButton>(window, "bt_cold")->isEnabled());
    QCOMPARE(window.frameGeometry().size(), QSize(420, 530));
    // A window the user has enlarged keeps its size.
    window.resize(700, 600);
    window.resetMainWindow();
    QCOMPARE(window.size(), QSize(700, 600));
}

void MainWindowTest::resetFallsBackOnlyForEmptyBoxes()
{
    ScriptedMessageBoxes boxes;
    ProgramRecords records;
    Tgpsw window(records);
    uitest::control<QComboBox>(window, "cbComPort")->setCurrentIndex(-1);
    uitest::control<QComboBox>(window, "cbBandRate")
        ->setCurrentIndex(9); // the empty rate is as empty as no selection
    window.resetMainWindow();
    QCOMPARE(uitest::control<QComboBox>(window, "cbComPort")->currentText(), QString("  COM3"));
    QCOMPARE(uitest::control<QComboBox>(window, "cbBandRate")->currentText(), QString("  4800"));
}

void MainWindowTest::messageLogCountsLinesAsAdded()
{
    MessageLogWidget log;
    QCOMPARE(log.memoLineCount(), 0);
    // The very first sentence text the program sees is empty: it is a line of its own.
    log.memoAddLine("");
    QCOMPARE(log.memoLineCount(), 1);
    log.memoAddLine("$GPGGA,1");
    QCOMPARE(log.memoLineCount(), 2);
    // A lone CR or LF that survived the CR LF removal does not make a second line.
    log.memoAddLine("$A\rB\nC");
    QCOMPARE(log.memoLineCount(), 3);
    log.memoAddLine(std::string("$GPGSV\0hidden", 13));
    QCOMPARE(log.toPlainText(), QString("\n$GPGGA,1\n$A B C\n$GPGSV"));
    log.memoClear();
    QCOMPARE(log.memoLineCount(), 0);
    log.memoAddLine("Nmea code loss or Gps is bad");
    QCOMPARE(log.toPlainText(), QString("Nmea code loss or Gps is bad"));
    QCOMPARE(log.memoLineCount(), 1);
}

void MainWindowTest::messageLogStartsAfreshAfter501Sentences()
{
    MessageLogWidget log;
    for (int line = 1; line <= 501; ++line)
        log.memoAddSentence("$GPGGA," + std::to_string(line));
    QCOMPARE(log.memoLineCount(), 501);
    log.memoAddSentence("$GPGGA,502");
    QCOMPARE(log.toPlainText(), QString("$GPGGA,502"));
    // The program's own lines keep the bound too: cleared once more, at the 502nd line.
    for (int line = 0; line < 600; ++line)
        log.memoAddLine("Nmea code loss or Gps is bad");
    QCOMPARE(log.memoLineCount(), 100);
}

void MainWindowTest::messageLogBatchKeepsWhatSingleLinesGive()
{
    // The same calls, one log taking them in a batch (as a tick does), the other line by line.
    const auto feed = [](MessageLogWidget& log) {
        log.memoAddLine("");
        for (int line = 1; line <= 40; ++line)
            log.memoAddSentence("$GPGSV,3,1,11,02,04,014,,05,12,038,29*7F " + std::to_string(line));
        log.memoClear();
        log.memoAddLine("$A\rB");
        for (int line = 0; line < 20; ++line)
            log.memoAddLine("Nmea code loss or Gps is bad");
    };
    MessageLogWidget single;
    MessageLogWidget batched;
    for (MessageLogWidget* log : {&single, &batched}) {
        log->resize(300, 80);
        log->show();
    }
    feed(single);
    {
        MessageLogWidget::LineBatch batch(batched);
        feed(batched);
        QCOMPARE(batched.memoLineCount(), 21);
    }
    QApplication::processEvents();
    QCOMPARE(batched.toPlainText(), single.toPlainText());
    QCOMPARE(batched.memoLineCount(), single.memoLineCount());
    QCOMPARE(batched.verticalScrollBar()->value(), batched.verticalScrollBar()->maximum());
    QCOMPARE(batched.grab().toImage(), single.grab().toImage());
}

void MainWindowTest::messageLogKeepsTheNewestLineInView()
{
    ScriptedMessageBoxes boxes;
    ProgramRecords records;
    Tgpsw window(records);
    window.show();
    for (int line = 0; line < 40; ++line)
        window.memoAddLine("$GPGSV,3,1,11,02,04,014,,05,12,038,29,07,27,069,32,10,44,108,36*7F");
    QApplication::processEvents();
    const QScrollBar* scroll = uitest::control<QPlainTextEdit>(window, "Memo1")->verticalScrollBar();
    QVERIFY(scroll->maximum() > 0);
    QCOMPARE(scroll->value(), scroll->maximum());
    QCOMPARE(uitest::control<QPlainTextEdit>(window, "Memo1")->horizontalScrollBar()->value(), 0);
}

void MainWindowTest::connectionButtonsAreTheFive()
{
    ScriptedMessageBoxes boxes;
    ProgramRecords records;
    Tgpsw window(records);
    window.setConnectionButtonsEnabled(false);
    for (QPushButton* button :
         {uitest::control<QPushButton>(window, "bt_cold"), uitest::control<QPushButton>(window, "bt_point"),
          uitest::control<QPushButton>(window, "bt_refresh"),
          uitest::control<QPushButton>(window, "bt_savelog"),
          uitest::control<QPushButton>(window, "bt_revision")})
        QVERIFY(!button->isEnabled());
    for (QPushButton* button :
         {uitest::control<QPushButton>(window, "bt_warm"), uitest::control<QPushButton>(window, "bt_hot"),
          uitest::control<QPushButton>(window, "btStart"), uitest::control<QPushButton>(window, "bt_test")})
        QVERIFY(button->isEnabled());
    window.setConnectionButtonsEnabled(true);
    for (QPushButton* button :
         {uitest::control<QPushButton>(window, "bt_cold"), uitest::control<QPushButton>(window, "bt_point"),
          uitest::control<QPushButton>(window, "bt_refresh"),
          uitest::control<QPushButton>(window, "bt_savelog"),
          uitest::control<QPushButton>(window, "bt_revision")})
        QVERIFY(button->isEnabled());
}

void MainWindowTest::closingTheWindowPurgesAndClosesTheLink()
{
    ScriptedMessageBoxes boxes;
    auto backend = std::make_unique<FakePortBackend>();
    FakePortBackend* port = backend.get();
    ProgramRecords records;
    Tgpsw window(records);
    records.link = SerialLink(std::move(backend));
    QVERIFY(records.link.openPort("  COM3"));
    window.show();
    QVERIFY(window.close());
    QVERIFY(!records.link.isOpen());
    QCOMPARE(port->purgeAttempts, 1);
    QCOMPARE(port->closeCount, 1);
}

void MainWindowTest::realQuestionDialogAnswers_data()
{
    QTest::addColumn<int>("how");
    QTest::addColumn<QuestionAnswer>("expected");
    QTest::newRow("Enter") << 0 << QuestionAnswer::First;
    QTest::newRow("Esc") << 1 << QuestionAnswer::Second;
    QTest::newRow("close box") << 2 << QuestionAnswer::Closed;
    QTest::newRow("click second") << 3 << QuestionAnswer::Second;
}

// The real dialog, answered by keys and by its close box as a person would.
void MainWindowTest::realQuestionDialogAnswers()
{
    QFETCH(int, how);
    QFETCH(QuestionAnswer, expected);
    setMessageBoxes(nullptr);
    QStringList buttonTexts;
    QString title;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        title = dialog->windowTitle();
        const auto buttons = dialog->findChildren<QPushButton*>();
        for (QPushButton* button : buttons)
            buttonTexts << button->text();
        switch (how) {
        case 0:
            QTest::keyClick(dialog, Qt::Key_Return);
            break;
        case 1:
            QTest::keyClick(dialog, Qt::Key_Escape);
            break;
        case 2:
            dialog->close();
            break;
        default:
            buttons.at(1)->click();
        }
    });
    const QuestionAnswer answer =
        messageBoxes().ask(nullptr, "What kind of GPS select ?", "Vexa Series ", "Lumo Series ");
    QCOMPARE(answer, expected);
    QCOMPARE(buttonTexts, QStringList({"Vexa Series ", "Lumo Series "}));
    QCOMPARE(title, applicationTitle());
}

void MainWindowTest::escapingExceptionsEndInTheErrorBox()
{
    ScriptedMessageBoxes boxes;
    ThrowingObject target;
    QEvent first(QEvent::User);
    QApplication::sendEvent(&target, &first);
    target.throwStandard = false;
    QEvent second(QEvent::User);
    QApplication::sendEvent(&target, &second);
    QCOMPARE(boxes.count(), 2);
    QCOMPARE(boxes.boxes().at(0).kind, RecordedBox::Kind::Error);
    QCOMPARE(boxes.boxes().at(0).text, QString("'abc' is not a valid floating point value"));
    QCOMPARE(boxes.boxes().at(0).caption, applicationTitle());
    QCOMPARE(boxes.boxes().at(1).kind, RecordedBox::Kind::Error);
    QVERIFY(boxes.boxes().at(1).text.isEmpty());
    // The program goes on: the same object handles the next event normally.
    QEvent later(QEvent::None);
    QApplication::sendEvent(&target, &later);
    QCOMPARE(boxes.count(), 2);
}

NORVANE_UI_TEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
