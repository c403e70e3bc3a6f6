#include "app/Mpgs.h"
#include "app/command_line.h"
#include "app/demo_automation.h"
#include "app/error_box.h"
#include "control/ui/Testgps.h"
#include "view/ui/Vp.h"

#include <QFile>
#include <QTimer>
#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    const norvane::CommandLine command = norvane::parseCommandLine({argv + 1, argv + argc});
    if (const auto status = norvane::answerOnTerminal(command, std::cout, std::cerr))
        return *status;
    // Every argument is the program's own and has been read: the toolkit takes none.
    int toolkitArgc = 1;
    norvane::Application application(toolkitArgc, argv);
    try {
        norvane::DemoAutomation demo;
        // The records and the three windows live as long as the program; nothing frees them
        // before it ends.
        auto* records = new norvane::ProgramRecords;
        auto* gpsw = new norvane::Tgpsw(*records);
        auto* viewp = new norvane::Tviewp;
        auto* Ftest = new norvane::TFtest;
        viewp->hide();
        Ftest->hide();
        gpsw->attachWindows(viewp, Ftest);
        gpsw->show();
        demo.start(*gpsw);
        if (const norvane::ProgramOptions& options = command.options; !options.replayFile.empty()) {
            // Once the window shows; a recording that cannot be replayed leaves it idle.
            QTimer::singleShot(0, gpsw, [gpsw, options] {
                norvane::runGuarded([&] {
                    gpsw->startReplay(QFile::decodeName(options.replayFile.c_str()), options.replaySpeed);
                });
            });
        }
        return application.exec();
    } catch (const std::exception& error) {
        norvane::showErrorBox(&error);
    } catch (...) {
        norvane::showErrorBox(nullptr);
    }
    return 1;
}
