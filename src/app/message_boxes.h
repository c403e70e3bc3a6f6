#pragma once

#include <QString>

class QWidget;

namespace norvane {

// The answer to the receiver-family question.
enum class QuestionAnswer { First, Second, Closed };

// Every modal box of the program goes through here, so that tests can answer them without a
// person. The default implementation shows real message boxes.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A box with one OK button; owner may be null.
    virtual void inform(QWidget* owner, const QString& text, const QString& caption) = 0;
    // A question with two relabelled buttons: Enter answers the first, Esc the second, the
    // close box gives Closed.
    virtual QuestionAnswer ask(QWidget* owner, const QString& text, const QString& firstButton,
                               const QString& secondButton) = 0;
    // The application's standard error box for an exception that escaped a handler. By
    // default an inform() captioned with the application's title.
    virtual void showError(QWidget* owner, const QString& message);
    // A file to open, chosen in a dialog that starts in `folder`; empty when none was chosen.
    virtual QString chooseFile(QWidget* owner, const QString& caption, const QString& folder,
                               const QString& filter);
};

MessageBoxes& messageBoxes();
// Replaces the boxes; nullptr restores the real ones.
void setMessageBoxes(MessageBoxes* replacement);

// The caption of the question dialog, the error box and "Open File Error".
QString applicationTitle();

} // namespace norvane
