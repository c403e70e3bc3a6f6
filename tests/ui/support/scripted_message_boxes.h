#pragma once

// Message boxes for window tests: every box the program shows is recorded instead of being
// shown, and questions are answered from a script, so no test ever blocks on a modal box.
//
// Use:
//     norvane::uitest::ScriptedMessageBoxes boxes;      // installed until it goes out of scope
//     boxes.answerNext(norvane::QuestionAnswer::Second); // the next ask() answers "Lumo Series "
//     norvane::Tgpsw window;                             // its FormCreate asks the family question
//     ...
//     QCOMPARE(boxes.texts(), QStringList{"Com Port Error"});
//     QCOMPARE(boxes.last().caption, QString("error"));
//
// Install it BEFORE constructing Tgpsw: the window asks the receiver-family question while it
// is being created. Queued answers are used in order; once the queue is empty every question
// gets the default answer (First unless setDefaultAnswer() says otherwise).
//
// Error boxes (the standard error box for an exception escaping a handler) are recorded with
// kind Error, the exception's message as text and the application's title as caption.
//
// File dialogs are recorded with kind ChooseFile, the dialog's caption as text and the folder it
// starts in as caption; each returns the next path given to chooseNext(), or nothing (cancelled).
//
// onBox, when set, runs for each box as it is "shown", while the handler that raised it is
// still running: the place to look at the window's state at that moment.

#include "app/message_boxes.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <deque>
#include <functional>

namespace norvane::uitest {

struct RecordedBox {
    enum class Kind { Inform, Ask, Error, ChooseFile };
    Kind kind = Kind::Inform;
    QString text;
    QString caption;         // Inform and Error, the folder for ChooseFile; empty for Ask
    QString firstButton;     // Ask only
    QString secondButton;    // Ask only
    bool hadOwner = false;   // a window was given as the box's owner
    QPointer<QWidget> owner; // that window, while it lives
};

class ScriptedMessageBoxes : public MessageBoxes {
public:
    ScriptedMessageBoxes();
    ~ScriptedMessageBoxes() override;
    ScriptedMessageBoxes(const ScriptedMessageBoxes&) = delete;
    ScriptedMessageBoxes& operator=(const ScriptedMessageBoxes&) = delete;

    void answerNext(QuestionAnswer answer) { answers_.push_back(answer); }
    void setDefaultAnswer(QuestionAnswer answer) { defaultAnswer_ = answer; }
    void chooseNext(const QString& path) { chosenFiles_.push_back(path); }

    const QList<RecordedBox>& boxes() const { return boxes_; }
    // The texts of all recorded boxes, in order.
    QStringList texts() const;
    int count() const { return boxes_.size(); }
    // The newest box; a default RecordedBox when there is none.
    RecordedBox last() const { return boxes_.isEmpty() ? RecordedBox{} : boxes_.last(); }
    void clear() { boxes_.clear(); }

    std::function<void(const RecordedBox&)> onBox;

    void inform(QWidget* owner, const QString& text, const QString& caption) override;
    QuestionAnswer ask(QWidget* owner, const QString& text, const QString& firstButton,
                       const QString& secondButton) override;
    void showError(QWidget* owner, const QString& message) override;
    QString chooseFile(QWidget* owner, const QString& caption, const QString& folder,
                       const QString& filter) override;

private:
    void record(const RecordedBox& box);

    QList<RecordedBox> boxes_;
    std::deque<QuestionAnswer> answers_;
    std::deque<QString> chosenFiles_;
    QuestionAnswer defaultAnswer_ = QuestionAnswer::First;
};

} // namespace norvane::uitest
