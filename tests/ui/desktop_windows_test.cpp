// The windows on today's desktop, on a screen scaled to 200 %: they announce themselves as
// windows to screen readers.

#include "app/Mpgs.h"
#include "control/ui/Testgps.h"
#include "ui/support/controls.h"
#include "ui/support/scripted_message_boxes.h"
#include "ui/support/ui_test_main.h"
#include "view/ui/Vp.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace norvane;

namespace {

// The program's three windows as it makes them, over the records they are lent.
struct Windows {
    Windows()
    {
        gpsw.attachWindows(&viewp, &ftest);
        gpsw.show();
    }

    uitest::ScriptedMessageBoxes boxes;
    ProgramRecords records;
    Tgpsw gpsw{records};
    Tviewp viewp;
    TFtest ftest;
};

} // namespace

class DesktopWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void everyWindowIsAnnouncedAsAWindow();

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
    Windows windows;
    windows.viewp.show(); // bt_point shows it only while connected
    uitest::control<QPushButton>(windows.gpsw, "bt_test")->click();
    uitest::control<QPushButton>(windows.ftest, "bt_hot")->click(); // opens "TTFF Results"
    QStringList announced;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        QAccessibleInterface* reading = QAccessible::queryAccessibleInterface(window);
        QVERIFY(reading != nullptr);
        QCOMPARE(reading->role(), QAccessible::Window);
        announced << reading->text(QAccessible::Name);
    }
    announced.sort();
    QCOMPARE(announced, QStringList({"Norvane Ver 0.0.97 2007/10/19", "TTFF Results", "Test Window", "viewp"}));
    // A control inside keeps its own role.
    QCOMPARE(QAccessible::queryAccessibleInterface(uitest::control<QPushButton>(windows.gpsw, "btStart"))->role(),
             QAccessible::Button);
}

NORVANE_UI_TEST_MAIN_AT_SCALE(DesktopWindowsTest, "2")
#include "desktop_windows_test.moc"
