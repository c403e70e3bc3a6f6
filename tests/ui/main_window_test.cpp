// The main window as a user and a screen reader meet it: start-up, the family question, the
// reset, the message log and the standard error box.

#include "app/Mpgs.h"
#include "app/error_box.h"
#include "app/message_boxes.h"
#include "support/fake_port_backend.h"
#include "ui/support/scripted_message_boxes.h"
#include "ui/support/ui_test_main.h"
#include "view/ui/snr_chart.h"

#include <QApplication>
#include <QComboBox>
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
    void familyAnswers_data();
    void familyAnswers();
    void changeAsksAgainWithoutTouchingTheLink();
    void resetEmptiesTheDisplayAndKeepsTheChosenPort();
    void resetFallsBackOnlyForEmptyBoxes();
    void messageLogCountsLinesAsAdded();
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
            comPortWhenAsked = owner->cbComPort->currentText();
    };
    Tgpsw window;
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
    Tgpsw window;
    QCOMPARE(window.windowTitle(), QString("Norvane Ver 0.0.97 2007/10/19"));
    QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(window.minimumSize(), window.maximumSize());
    // Before it is framed the whole outer size is client area; the table's right-hand column
    // ends at x = 414 and Chart1 at y = 497, both inside.
    QCOMPARE(window.width(), 420);
    QCOMPARE(window.height(), 530);
    QCOMPARE(window.pos(), QPoint(218, 306));

    for (const char* name : kControlNames)
        QVERIFY2(window.findChild<QWidget*>(name), name);
    QCOMPARE(window.btStart->geometry(), QRect(152, 0, 65, 25));
    QCOMPARE(window.bt_change->geometry(), QRect(224, 0, 97, 25));
    QCOMPARE(window.Memo1->geometry(), QRect(0, 264, 489, 121));
    QCOMPARE(window.Chart1->geometry(), QRect(-16, 360, 430, 137));
    QCOMPARE(window.bt_test->geometry(), QRect(696, 272, 46, 25));
    QCOMPARE(window.btStart->text(), QString("Start"));
    QCOMPARE(window.btAutoscan->text(), QString("AutoScan"));
    QCOMPARE(window.lbBaudRate->text(), QString("Baud Rate: "));
    QCOMPARE(window.lbComPort->text(), QString("COM Port :"));
    QCOMPARE(window.bt_savelog->text(), QString("SaveLog"));
    QVERIFY(window.btStart->font().bold());
    QCOMPARE(window.font().pixelSize(), 11);
    QCOMPARE(window.bt_cold->font().pixelSize(), 11);
    QCOMPARE(window.bt_savelog->font().pixelSize(), 13);
    // Whatever font stands in for the named ones, the chosen port still fits its box.
    QStyleOptionComboBox option;
    option.initFrom(window.cbComPort);
    option.editable = false;
    const QRect textArea = window.cbComPort->style()->subControlRect(
        QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, window.cbComPort);
    QVERIFY(QFontMetrics(window.cbComPort->font()).horizontalAdvance("  COM3") <= textArea.width());
    QVERIFY(QFontMetrics(window.btStart->font()).horizontalAdvance("Start") < window.btStart->width());
    for (QLabel* label : window.findChildren<QLabel*>())
        QVERIFY2(QFontMetrics(label->font()).horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(label->objectName()));

    QCOMPARE(window.Timer1->interval(), 1000);
    QVERIFY(!window.Timer1->isActive());
    QCOMPARE(window.Timer2->interval(), 300);
    QVERIFY(!window.Timer2->isActive());
    QVERIFY(window.Memo1->isReadOnly());
    QCOMPARE(window.Memo1->lineWrapMode(), QPlainTextEdit::NoWrap);
    QVERIFY(!window.link.isOpen());
}

void MainWindowTest::startUpLayoutIsIdle()
{
    ScriptedMessageBoxes boxes;
    Tgpsw window;
    window.show();
    for (QPushButton* button : {window.bt_cold, window.bt_point, window.bt_refresh, window.bt_savelog})
        QVERIFY2(!button->isEnabled(), qPrintable(button->objectName()));
    for (QPushButton* button :
         {window.bt_warm, window.bt_hot, window.bt_test, window.Button1, window.bt_revision})
        QVERIFY2(button->isEnabled(), qPrintable(button->objectName()));
    QVERIFY(window.btAutoscan->isVisible());
    QVERIFY(!window.bt_change->isVisible());
    QVERIFY(!window.lb_pres->isVisible());
    QCOMPARE(window.cbComPort->currentText(), QString("  COM3"));
    QCOMPARE(window.cbBandRate->currentText(), QString("  4800"));
    QVERIFY(!window.cbComPort->isEditable());
    QVERIFY(!window.cbBandRate->isEditable());
    QCOMPARE(window.receiver.state.receiver_family, kVexaFamily);
    QCOMPARE(window.receiver.state.fix_mode, '0');
}

void MainWindowTest::comboBoxesHoldTheListedItems()
{
    ScriptedMessageBoxes boxes;
    Tgpsw window;
    const QStringList ports = itemsOf(window.cbComPort);
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
    QCOMPARE(itemsOf(window.cbBandRate), QStringList({"  4800", "  7200", "  9600", " 14400", " 19200",
                                                      " 38400", " 57600", "115200", "128000", ""}));
}

void MainWindowTest::everyFieldIsNamedForScreenReaders()
{
    ScriptedMessageBoxes boxes;
    Tgpsw window;
    const std::pair<const char*, QLineEdit*> named[] = {
        {"Mode", window.td_mode},
        {"TTFF", window.td_ttff},
        {"PDOP", window.td_pdop},
        {"Date", window.td_date},
        {"Time", window.td_time},
        {"Latitude", window.td_lati_sat},
        {"Longitude", window.td_longi_sat},
        {"Altitude", window.td_alti},
        {"Speed", window.td_speed},
        {"Identification 1", window.td_vers1},
        {"Identification 2", window.td_vers2},
        {"Identification 3", window.td_vers3},
    };
    for (auto [name, field] : named)
        QCOMPARE(fieldNamed(window, name), field);
    QCOMPARE(window.Memo1->accessibleName(), QString("Message log"));
    QCOMPARE(window.lbComPort->buddy(), window.cbComPort);
    QCOMPARE(window.lbBaudRate->buddy(), window.cbBandRate);
    QCOMPARE(window.Label3->buddy(), window.td_lati_sat);
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
    Tgpsw window;
    window.show();
    QCOMPARE(window.receiver.state.receiver_family, family);
    QCOMPARE(window.bt_refresh->isVisible(), family == 1);
    QCOMPARE(window.bt_revision->isVisible(), family == 2);
    QCOMPARE(window.bt_change->text(), changeCaption);
}

void MainWindowTest::changeAsksAgainWithoutTouchingTheLink()
{
    ScriptedMessageBoxes boxes;
    auto backend = std::make_unique<FakePortBackend>();
    FakePortBackend* port = backend.get();
    Tgpsw window;
    window.link = SerialLink(std::move(backend));
    QVERIFY(window.link.openPort("  COM3"));
    boxes.answerNext(QuestionAnswer::Second);
    window.bt_changeClick();
    QCOMPARE(boxes.count(), 2);
    QCOMPARE(window.receiver.state.receiver_family, kLumoFamily);
    QCOMPARE(window.bt_change->text(), QString("Lumo Series"));
    QVERIFY(window.link.isOpen());
    QCOMPARE(port->closeCount, 0);
    QCOMPARE(port->purgeAttempts, 0);
    window.bt_changeClick();
    QCOMPARE(window.receiver.state.receiver_family, kVexaFamily);
}

void MainWindowTest::resetEmptiesTheDisplayAndKeepsTheChosenPort()
{
    ScriptedMessageBoxes boxes;
    Tgpsw window;
    window.show();
    window.cbComPort->setCurrentIndex(20);
    window.cbBandRate->setCurrentIndex(7);
    for (QLineEdit* field : window.findChildren<QLineEdit*>())
        field->setText("old");
    window.memoAddLine("$GPGGA,old");
    window.lb_pres->show();
    window.Chart1->addBar({1, 40, "5", Qt::blue});
    window.receiver.state.fix_mode = '3';
    window.receiver.state.gsv_count = 3;
    window.receiver.state.sat_prn[7] = 21;
    window.receiver.state.used_prns[2] = 21;
    window.receiver.state.latitude = 2459.2057;
    window.receiver.ttffTicks = 12;
    window.Timer1->start();
    window.bt_cold->setEnabled(true);
    window.setFixedSize(904, 529);

    window.resetMainWindow();

    QCOMPARE(window.cbComPort->currentText(), QString(" COM21 "));
    QCOMPARE(window.cbBandRate->currentText(), QString("115200"));
    for (QLineEdit* field : window.findChildren<QLineEdit*>())
        QVERIFY2(field->text().isEmpty(), qPrintable(field->objectName()));
    QCOMPARE(window.memoLineCount(), 0);
    QVERIFY(window.Memo1->toPlainText().isEmpty());
    QVERIFY(!window.lb_pres->isVisible());
    QVERIFY(window.Chart1->bars().isEmpty());
    QCOMPARE(window.receiver.state.fix_mode, '0');
    QCOMPARE(window.receiver.state.gsv_count, 0);
    QCOMPARE(window.receiver.state.sat_prn[7], 0);
    QCOMPARE(window.receiver.state.used_prns[2], 0);
    QCOMPARE(window.receiver.state.latitude, 2459.2057);
    QCOMPARE(window.receiver.ttffTicks, 0);
    QVERIFY(!window.Timer1->isActive());
    QCOMPARE(window.Timer1->interval(), 1000);
    QVERIFY(!window.bt_cold->isEnabled());
    QCOMPARE(window.frameGeometry().size(), QSize(420, 530));
}

void MainWindowTest::resetFallsBackOnlyForEmptyBoxes()
{
    ScriptedMessageBoxes boxes;
    Tgpsw window;
    window.cbComPort->setCurrentIndex(-1);
    window.cbBandRate->setCurrentIndex(9); // the empty rate is as empty as no selection
    window.resetMainWindow();
    QCOMPARE(window.cbComPort->currentText(), QString("  COM3"));
    QCOMPARE(window.cbBandRate->currentText(), QString("  4800"));
}

void MainWindowTest::messageLogCountsLinesAsAdded()
{
    ScriptedMessageBoxes boxes;
    Tgpsw window;
    QCOMPARE(window.memoLineCount(), 0);
    // The very first sentence text the program sees is empty: it is a line of its own.
    window.memoAddLine("");
    QCOMPARE(window.memoLineCount(), 1);
    window.memoAddLine("$GPGGA,1");
    QCOMPARE(window.memoLineCount(), 2);
    // A lone CR or LF that survived the CR LF removal does not make a second line.
    window.memoAddLine("$A\rB\nC");
    QCOMPARE(window.memoLineCount(), 3);
    window.memoAddLine(std::string("$GPGSV\0hidden", 13));
    QCOMPARE(window.Memo1->toPlainText(), QString("\n$GPGGA,1\n$A B C\n$GPGSV"));
    window.memoClear();
    QCOMPARE(window.memoLineCount(), 0);
    window.memoAddLine("Nmea code loss or Gps is bad");
    QCOMPARE(window.Memo1->toPlainText(), QString("Nmea code loss or Gps is bad"));
    QCOMPARE(window.memoLineCount(), 1);
}

void MainWindowTest::messageLogKeepsTheNewestLineInView()
{
    ScriptedMessageBoxes boxes;
    Tgpsw window;
    window.show();
    for (int line = 0; line < 40; ++line)
        window.memoAddLine("$GPGSV,3,1,11,02,04,014,,05,12,038,29,07,27,069,32,10,44,108,36*7F");
    QApplication::processEvents();
    const QScrollBar* scroll = window.Memo1->verticalScrollBar();
    QVERIFY(scroll->maximum() > 0);
    QCOMPARE(scroll->value(), scroll->maximum());
    QCOMPARE(window.Memo1->horizontalScrollBar()->value(), 0);
}

void MainWindowTest::connectionButtonsAreTheFive()
{
    ScriptedMessageBoxes boxes;
    Tgpsw window;
    window.setConnectionButtonsEnabled(false);
    for (QPushButton* button :
         {window.bt_cold, window.bt_point, window.bt_refresh, window.bt_savelog, window.bt_revision})
        QVERIFY(!button->isEnabled());
    for (QPushButton* button : {window.bt_warm, window.bt_hot, window.btStart, window.bt_test})
        QVERIFY(button->isEnabled());
    window.setConnectionButtonsEnabled(true);
    for (QPushButton* button :
         {window.bt_cold, window.bt_point, window.bt_refresh, window.bt_savelog, window.bt_revision})
        QVERIFY(button->isEnabled());
}

void MainWindowTest::closingTheWindowPurgesAndClosesTheLink()
{
    ScriptedMessageBoxes boxes;
    auto backend = std::make_unique<FakePortBackend>();
    FakePortBackend* port = backend.get();
    Tgpsw window;
    window.link = SerialLink(std::move(backend));
    QVERIFY(window.link.openPort("  COM3"));
    window.show();
    QVERIFY(window.close());
    QVERIFY(!window.link.isOpen());
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
