// The window-test program: runs the test of the file named first on the command line (see
// ui/support/ui_test_main.h), offscreen unless QT_QPA_PLATFORM says otherwise, with the fonts of
// ui/support/fonts.conf unless FONTCONFIG_FILE says otherwise. Under a locale of decimal commas
// (LC_ALL=de_DE.UTF-8, as ctest runs every window test) it first makes sure that the C library
// really took it over, so that a test meant to catch a decimal comma cannot pass on a machine
// without that locale.

#include "app/error_box.h"
#include "ui/support/ui_test_registry.h"

#include <QByteArray>
#include <QtGlobal>
#include <clocale>
#include <cstdio>
#include <vector>

namespace {

bool decimalCommaLocaleTakenOver()
{
    if (!qEnvironmentVariable("LC_ALL").startsWith("de_DE"))
        return true;
    if (std::localeconv()->decimal_point[0] == ',')
        return true;
    std::fprintf(stderr, "LC_ALL=%s did not give the C library a decimal comma: is the locale installed?\n",
                 qPrintable(qEnvironmentVariable("LC_ALL")));
    return false;
}

int usage(const char* program)
{
    std::fprintf(stderr, "usage: %s TEST [Qt Test options...]\nTEST is one of:\n", program);
    for (const std::string& name : norvane::uitest::registeredUiTestNames())
        std::fprintf(stderr, "  %s\n", name.c_str());
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    const norvane::uitest::UiTest* test = argc > 1 ? norvane::uitest::registeredUiTest(argv[1]) : nullptr;
    if (!test)
        return usage(argv[0]);
    // The test sees the command line without its name, as its own program would.
    std::vector<char*> arguments{argv[0]};
    arguments.insert(arguments.end(), argv + 2, argv + argc);
    int count = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("FONTCONFIG_FILE"))
        qputenv("FONTCONFIG_FILE", NORVANE_UI_TEST_FONTS);
    qputenv("QT_SCALE_FACTOR", qEnvironmentVariableIsSet("NORVANE_TEST_SCALE") ? qgetenv("NORVANE_TEST_SCALE")
                                                                               : QByteArray(test->scale));
    norvane::Application app(count, arguments.data());
    app.setAttribute(Qt::AA_Use96Dpi, true);
    if (!decimalCommaLocaleTakenOver())
        return 1;
    return test->run(count, arguments.data());
}
