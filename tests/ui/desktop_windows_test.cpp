// The windows on today's desktop, on a screen scaled to 200 % (and, run again by ctest, 150 %): they announce
// themselves as windows to screen readers, start at their designed sizes and grow from there, the room going
// where the pictures and the log can use it, and every text fits its control or is elided with
// the whole of it in reach. The Replay and Position Accuracy windows among them.

#include "desktop/ui/eliding_button.h"
#include "desktop/ui/eliding_label.h"
#include "desktop/ui/eliding_line_edit.h"
#include "serial/clock.h"
#include "support/fake_clock.h"
#include "ui/support/controls.h"
#include "ui/support/program_windows.h"
#include "ui/support/ui_test_main.h"
#include "view/ui/sky_picture.h"
#include "view/ui/snr_chart.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTemporaryDir>
#include <QtTest>
#include <map>

using namespace norvane;

namespace {

struct OnFakeClock {
    FakeClock clock; // a restart's acknowledgement wait takes no time
    ClockOverride useClock{clock};
};

// The program's windows, the main window shown.
struct ProgramWindows : OnFakeClock, uitest::ProgramWindows {
    ProgramWindows() { gpsw->show(); }
};

// A recording under a name longer than the Replay window is wide, in the working directory.
QString longNamedRecording()
{
    const QString path = QDir::current().filePath(
        "the receiver on the roof through a whole afternoon with four systems in view.nmea");
    QFile::remove(path);
    if (!QFile::copy(NORVANE_TEST_DATA_DIR "/sim_four_systems.nmea", path))
        qFatal("cannot copy the recording to %s", qPrintable(path));
    return path;
}

// The windows of the main window's own: Position Accuracy, and Replay replaying `recording`.
QList<QWidget*> openOwnWindows(const ProgramWindows& windows, const QString& recording)
{
    windows.gpsw->showAccuracyWindow();
    if (!windows.gpsw->startReplay(recording, 1))
        qFatal("the recording was not replayed");
    return {&windows.ownWindow("Replay"), &windows.ownWindow("PositionAccuracy")};
}

// Where the text of a control goes, and the text shown there: empty for a control without one.
struct TextRoom {
    QString text;
    int room = 0;
};

TextRoom textRoomOf(QWidget* control)
{
    const QFontMetrics metrics = control->fontMetrics();
    if (auto* label = qobject_cast<ElidingLabel*>(control))
        return {label->shownText(), label->contentsRect().width()};
    if (auto* label = qobject_cast<QLabel*>(control))
        return {label->text(), label->contentsRect().width()};
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect contents =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        auto* eliding = qobject_cast<ElidingButton*>(button);
        return {eliding ? eliding->shownText() : button->text(), contents.width() - icon};
    }
    if (auto* field = qobject_cast<ElidingLineEdit*>(control))
        return {field->shownText(), field->contentsRect().width() - 4};
    if (auto* field = qobject_cast<QLineEdit*>(control))
        return {field->text(), field->contentsRect().width() - 4};
    if (auto* box = qobject_cast<QComboBox*>(control)) {
        QStyleOptionComboBox option;
        option.initFrom(box);
        option.editable = false;
        const QRect area =
            box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
        return {box->currentText(), area.width()};
    }
    return {};
}

// Every control of the window whose text is wider than the room it has.
QStringList overflowingTexts(QWidget& window)
{
    QStringList overflowing;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (control->isHidden() || control->geometry().left() >= window.width())
            continue;
        const TextRoom room = textRoomOf(control);
        const int width = control->fontMetrics().horizontalAdvance(room.text);
        if (!room.text.isEmpty() && width > room.room)
            overflowing << QString("%1 \"%2\" %3 > %4")
                               .arg(control->objectName(), room.text)
                               .arg(width)
                               .arg(room.room);
    }
    return overflowing;
}

QRect placeOf(QWidget& window, const char* name)
{
    return uitest::control<QWidget>(window, name)->geometry();
}

} // namespace

class DesktopWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void everyWindowIsAnnouncedAsAWindow();
    void theMainWindowGivesTheRoomItGainsToItsPictures();
    void everyTextFitsOrIsElidedWithTheWholeTextAtHand();

private:
    QTemporaryDir workDir_; // a restart test run writes its CSV into the working directory
};

void DesktopWindowsTest::initTestCase()
{
    QVERIFY(workDir_.isValid());
    QVERIFY(QDir::setCurrent(workDir_.path()));
}

void DesktopWindowsTest::everyWindowIsAnnouncedAsAWindow()
{
    ProgramWindows windows;
    windows.viewp.show(); // bt_point shows it only while connected
    uitest::click(*windows.gpsw, "bt_test");
    uitest::click(windows.ftest, "bt_hot"); // opens "TTFF Results"
    openOwnWindows(windows, longNamedRecording());
    QStringList announced;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        // Each opens at its start size, the least it may have.
        QVERIFY2(window->minimumSize() == window->size(), qPrintable(window->windowTitle()));
        QAccessibleInterface* reading = QAccessible::queryAccessibleInterface(window);
        QVERIFY(reading != nullptr);
        QCOMPARE(reading->role(), QAccessible::Window);
        announced << reading->text(QAccessible::Name);
    }
    announced.sort();
    QCOMPARE(announced, QStringList({"Norvane Ver 0.0.97 2007/10/19", "Position Accuracy", "Replay",
                                     "TTFF Results", "Test Window", "viewp"}));
    // A control inside keeps its own role.
    QCOMPARE(
        QAccessible::queryAccessibleInterface(uitest::control<QPushButton>(*windows.gpsw, "btStart"))->role(),
        QAccessible::Button);
}

void DesktopWindowsTest::theMainWindowGivesTheRoomItGainsToItsPictures()
{
    ProgramWindows windows;
    Tgpsw& gpsw = *windows.gpsw;
    const QSize start = gpsw.size();
    QCOMPARE(gpsw.minimumSize(), start);
    const QStringList staying = {"btStart", "btAutoscan", "bt_point",  "bt_cold",
                                 "bt_hot",  "cbComPort",  "lbBaudRate"};
    const QStringList beside = {"td_vers1", "bt_savelog", "bt_refresh", "Label7",
                                "td_mode",  "td_pdop",    "td_speed"};
    const QStringList unseen = {"Button1", "bt_revision", "bt_test"};
    std::map<QString, QRect> designed;
    for (const QStringList& names : {staying, beside, unseen})
        for (const QString& name : names)
            designed[name] = placeOf(gpsw, qPrintable(name));
    const QRect sky = placeOf(gpsw, "Image1");
    const QRect log = placeOf(gpsw, "Memo1");
    const QRect chart = placeOf(gpsw, "Chart1");
    QCOMPARE(sky, QRect(0, 64, 201, 209));

    gpsw.resize(start + QSize(600, 300));
    const QRect grownSky = placeOf(gpsw, "Image1");
    for (const QString& name : staying)
        QCOMPARE(placeOf(gpsw, qPrintable(name)), designed[name]);
    for (const QString& name : beside)
        QCOMPARE(placeOf(gpsw, qPrintable(name)), designed[name].translated(600, 0));
    for (const QString& name : unseen)
        QVERIFY2(placeOf(gpsw, qPrintable(name)).left() >= gpsw.width(), qPrintable(name));
    // The sky plot takes half the height gained, keeps its shape and stands centred in the room
    // left of the fields; the log begins where the plot's square ends, as it did, and shares
    // the rest of the height with the chart; both take the whole width.
    QCOMPARE(placeOf(gpsw, "Image2"), grownSky);
    QCOMPARE(grownSky.height(), sky.height() + 150);
    QVERIFY(qAbs(grownSky.width() * 209 - grownSky.height() * 201) < 209);
    const int roomRight = placeOf(gpsw, "td_vers1").left() - 2;
    QVERIFY(qAbs(grownSky.left() + grownSky.right() - roomRight) <= 1);
    const QRect grownLog = placeOf(gpsw, "Memo1");
    QCOMPARE(grownLog.top(), grownSky.top() + grownSky.width() - 1);
    QCOMPARE(grownLog.left(), 0);
    QCOMPARE(grownLog.width(), gpsw.width());
    const QRect grownChart = placeOf(gpsw, "Chart1");
    QCOMPARE(grownChart.top() - grownLog.top(), chart.top() - log.top() + grownLog.height() - log.height());
    QCOMPARE(grownChart.bottom() - chart.bottom(), 300);
    QCOMPARE(grownChart.width(), chart.width() + 600);
    QVERIFY(qAbs((grownLog.height() - log.height()) - (grownChart.height() - chart.height())) <= 1);
    // Its layers are drawn at the size shown and the screen's pixel ratio, not scaled up.
    const QImage drawn = uitest::control<SkyPicture>(gpsw, "Image1")->picture();
    QCOMPARE(drawn.size(), (QSizeF(grownSky.size()) * gpsw.devicePixelRatioF()).toSize());
    QVERIFY(gpsw.devicePixelRatioF() > 1);

    gpsw.resize(300, 300);
    QCOMPARE(gpsw.size(), start);
    QCOMPARE(placeOf(gpsw, "Image1"), sky);
    QCOMPARE(placeOf(gpsw, "Chart1"), chart);
}

// Long identification lines, the texts of a fix and every caption, on the screen at 200 %.
void DesktopWindowsTest::everyTextFitsOrIsElidedWithTheWholeTextAtHand()
{
    ProgramWindows windows;
    Tgpsw& gpsw = *windows.gpsw;
    const std::string kernel = "$Kernel: 1.2.04,2007/09/21 Kernel Version 1.2.0";
    gpsw.setVersionText(1, "$SkyWren,GPS receiver module");
    gpsw.setVersionText(2, kernel);
    gpsw.setVersionText(3, "$ver:1.4.27,rev,07101912");
    const std::pair<const char*, const char*> fix[] = {
        {"td_mode", "  3D"},
        {"td_ttff", "123"},
        {"td_pdop", "12.5"},
        {"td_date", "2007/10/19"},
        {"td_time", "20:00:05"},
        {"td_lati_sat", "N24\"59'12.34"},
        {"td_longi_sat", "E121\"30'07.40"},
        {"td_alti", "  1256.3M"},
        {"td_speed", "   100.0"},
    };
    for (auto [name, text] : fix)
        uitest::control<QLineEdit>(gpsw, name)->setText(text);
    windows.viewp.show();
    uitest::click(gpsw, "bt_test");

    const QString recording = longNamedRecording();
    QList<QWidget*> all = openOwnWindows(windows, recording);
    all << &gpsw << &windows.viewp << &windows.ftest;
    for (QWidget* window : all)
        QVERIFY2(overflowingTexts(*window).isEmpty(), qPrintable(overflowingTexts(*window).join("; ")));
    auto* field = uitest::control<ElidingLineEdit>(gpsw, "td_vers2");
    QVERIFY2(field->shownText().endsWith(QChar(0x2026)), qPrintable(field->shownText()));
    QCOMPARE(field->text(), QString::fromStdString(kernel));
    QCOMPARE(field->toolTip(), field->text());
    QCOMPARE(field->accessibleDescription(), field->text());
    // A text that fits needs neither.
    QCOMPARE(uitest::control<ElidingLineEdit>(gpsw, "td_vers3")->toolTip(), QString());
    // Upgrade's caption does not fit beside its picture.
    auto* upgrade = uitest::control<ElidingButton>(gpsw, "bt_refresh");
    gpsw.grab();
    QCOMPARE(upgrade->text(), QString("Upgrade"));
    QVERIFY2(upgrade->shownText().endsWith(QChar(0x2026)), qPrintable(upgrade->shownText()));
    QCOMPARE(upgrade->toolTip(), QString("Upgrade"));
    QCOMPARE(upgrade->accessibleDescription(), QString("Upgrade"));
    // The recording's name, its whole path at hand.
    auto* name = uitest::control<ElidingLabel>(windows.ownWindow("Replay"), "lb_recording");
    QVERIFY2(name->shownText().endsWith(QChar(0x2026)), qPrintable(name->shownText()));
    QCOMPARE(name->toolTip(), recording);
    QCOMPARE(name->accessibleDescription(), recording);
}

NORVANE_UI_TEST_MAIN_AT_SCALE(DesktopWindowsTest, "2")
#include "desktop_windows_test.moc"
