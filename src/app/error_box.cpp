#include "app/error_box.h"

#include "app/message_boxes.h"
#include "app/while_waiting.h"
#include "desktop/ui/window_role.h"
#include "serial/clock.h"

namespace norvane {

void showErrorBox(const std::exception* error)
{
    messageBoxes().showError(nullptr, error ? QString::fromLatin1(error->what()) : QString());
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(applicationTitle());
    // Ties the windows to the installed desktop entry, for the icon and name the desktop shows.
    setDesktopFileName(QStringLiteral("org.norvane.Norvane"));
    paintWindowsWhileWaiting();
    announceWindowsAsFrames();
}

Application::~Application()
{
    setWhileWaiting(nullptr);
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    runGuarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

} // namespace norvane
