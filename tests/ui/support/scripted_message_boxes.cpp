#include "ui/support/scripted_message_boxes.h"

#include "app/message_boxes.h"

namespace norvane::uitest {

ScriptedMessageBoxes::ScriptedMessageBoxes()
{
    setMessageBoxes(this);
}

ScriptedMessageBoxes::~ScriptedMessageBoxes()
{
    setMessageBoxes(nullptr);
}

QStringList ScriptedMessageBoxes::texts() const
{
    QStringList result;
    for (const RecordedBox& box : boxes_)
        result << box.text;
    return result;
}

void ScriptedMessageBoxes::inform(QWidget* owner, const QString& text, const QString& caption)
{
    record({RecordedBox::Kind::Inform, text, caption, {}, {}, owner != nullptr, owner});
}

QuestionAnswer ScriptedMessageBoxes::ask(QWidget* owner, const QString& text, const QString& firstButton,
                                         const QString& secondButton)
{
    record({RecordedBox::Kind::Ask, text, {}, firstButton, secondButton, owner != nullptr, owner});
    if (answers_.empty())
        return defaultAnswer_;
    QuestionAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

void ScriptedMessageBoxes::showError(QWidget* owner, const QString& message)
{
    record({RecordedBox::Kind::Error, message, applicationTitle(), {}, {}, owner != nullptr, owner});
}

QString ScriptedMessageBoxes::chooseFile(QWidget* owner, const QString& caption, const QString& folder,
                                         const QString&)
{
    record({RecordedBox::Kind::ChooseFile, caption, folder, {}, {}, owner != nullptr, owner});
    if (chosenFiles_.empty())
        return QString();
    QString path = chosenFiles_.front();
    chosenFiles_.pop_front();
    return path;
}

void ScriptedMessageBoxes::record(const RecordedBox& box)
{
    boxes_.append(box);
    if (onBox)
        onBox(box);
}

} // namespace norvane::uitest
