#pragma once

#include <QApplication>
#include <exception>
#include <utility>

namespace norvane {

// The application's standard error box: the message of an exception that escaped a handler.
// An exception that is not a std::exception has no message to show and gives an empty box.
void showErrorBox(const std::exception* error);

// Runs one event handler so that an exception escaping it ends in the error box and the
// program goes on, without unwinding through the toolkit's own frames.
template <class Handler> void runGuarded(Handler&& handler)
{
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
        showErrorBox(&error);
    } catch (...) {
        showErrorBox(nullptr);
    }
}

// The application object: whatever escapes the dispatch of an event is shown in the error
// box instead of ending the program.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    ~Application() override;
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace norvane
