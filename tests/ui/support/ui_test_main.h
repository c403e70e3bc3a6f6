#pragma once

// The main() of a window test: like QTEST_MAIN, but with the program's own application object,
// so that an exception escaping a handler reaches the standard error box (and, in a test, a
// ScriptedMessageBoxes) exactly as in the program. Runs offscreen unless QT_QPA_PLATFORM says
// otherwise. Under a locale of decimal commas (LC_ALL=de_DE.UTF-8, as ctest runs every window
// test) it first makes sure that the C library really took it over, so that a test meant to
// catch a decimal comma cannot pass on a machine without that locale.
//
//     class MainWindowTest : public QObject { Q_OBJECT ... };
//     NORVANE_UI_TEST_MAIN(MainWindowTest)      // or NORVANE_UI_TEST_MAIN_AT_SCALE(..., "2")
//     #include "main_window_test.moc"

#include "app/error_box.h"

#include <QTest>
#include <clocale>
#include <cstdio>

inline bool decimalCommaLocaleTakenOver()
{
    if (!qEnvironmentVariable("LC_ALL").startsWith("de_DE"))
        return true;
    if (std::localeconv()->decimal_point[0] == ',')
        return true;
    std::fprintf(stderr, "LC_ALL=%s did not give the C library a decimal comma: is the locale installed?\n",
                 qPrintable(qEnvironmentVariable("LC_ALL")));
    return false;
}

#define NORVANE_UI_TEST_MAIN(TestObject) NORVANE_UI_TEST_MAIN_AT_SCALE(TestObject, "1")

// The same on a screen scaled as QT_SCALE_FACTOR scales it (150 % is "1.5"); NORVANE_TEST_SCALE,
// when set, runs it at another scale.
#define NORVANE_UI_TEST_MAIN_AT_SCALE(TestObject, factor)                                                    \
    int main(int argc, char** argv)                                                                          \
    {                                                                                                        \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                                  \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                                         \
        qputenv("QT_SCALE_FACTOR", qEnvironmentVariableIsSet("NORVANE_TEST_SCALE")                           \
                                       ? qgetenv("NORVANE_TEST_SCALE")                                       \
                                       : QByteArray(factor));                                                \
        norvane::Application app(argc, argv);                                                                \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                             \
        if (!decimalCommaLocaleTakenOver())                                                                  \
            return 1;                                                                                        \
        TestObject test;                                                                                     \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
