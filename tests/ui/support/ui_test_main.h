#pragma once

// Registers the window test of one file. Every file of tests/ui is part of one program,
// norvane_ui_tests, which runs the test of the file named first on its command line, in a process
// of its own, like QTEST_MAIN but with the program's own application object, so that an exception
// escaping a handler reaches the standard error box (and, in a test, a ScriptedMessageBoxes)
// exactly as in the program:
//
//     class MainWindowTest : public QObject { Q_OBJECT ... };
//     NORVANE_UI_TEST_MAIN(MainWindowTest)      // or NORVANE_UI_TEST_MAIN_AT_SCALE(..., "2")
//     #include "main_window_test.moc"
//
//     build/tests/norvane_ui_tests main_window_test [Qt Test options...]
//
// ctest runs each file's test as ui_<file name>.

#include "ui/support/ui_test_registry.h"

#include <QTest>

#define NORVANE_UI_TEST_MAIN(TestObject) NORVANE_UI_TEST_MAIN_AT_SCALE(TestObject, "1")

// The same on a screen scaled as QT_SCALE_FACTOR scales it (150 % is "1.5"); NORVANE_TEST_SCALE,
// when set, runs it at another scale.
#define NORVANE_UI_TEST_MAIN_AT_SCALE(TestObject, factor)                                                    \
    namespace {                                                                                              \
    const bool uiTestRegistered##TestObject =                                                                \
        norvane::uitest::registerUiTest(__FILE__, factor, [](int argc, char** argv) {                        \
        TestObject test;                                                                                     \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&test, argc, argv);                                                              \
    });                                                                                                      \
    }
