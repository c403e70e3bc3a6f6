#pragma once

// The main() of a window test: like QTEST_MAIN, but with the program's own application object,
// so that an exception escaping a handler reaches the standard error box (and, in a test, a
// ScriptedMessageBoxes) exactly as in the program. Runs offscreen unless QT_QPA_PLATFORM says
// otherwise.
//
//     class MainWindowTest : public QObject { Q_OBJECT ... };
//     NORVANE_UI_TEST_MAIN(MainWindowTest)
//     #include "main_window_test.moc"

#include "app/error_box.h"

#include <QTest>

#define NORVANE_UI_TEST_MAIN(TestObject)                                                                     \
    int main(int argc, char** argv)                                                                          \
    {                                                                                                        \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                                  \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                                         \
        norvane::Application app(argc, argv);                                                                \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                             \
        TestObject test;                                                                                     \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
