#include "app/Mpgs.h"
#include "app/message_boxes.h"

#include <QPushButton>

namespace norvane {

namespace {

bool saving(const QPushButton* button)
{
    return button->text() == QLatin1String("StopSave");
}

} // namespace

void Tgpsw::bt_savelogClick()
{
    if (bt_savelog->text() == QLatin1String("SaveLog")) {
        if (!rawLog.open()) {
            messageBoxes().inform(this, QStringLiteral("Open File Error"), applicationTitle());
            return;
        }
        bt_savelog->setText(QStringLiteral("StopSave"));
    } else {
        rawLog.close();
        bt_savelog->setText(QStringLiteral("SaveLog"));
    }
}

void Tgpsw::appendRawLog(const std::string& text)
{
    if (!saving(bt_savelog))
        return;
    if (!text.empty())
        receiver.sentenceText = text;
    rawLog.write(receiver.sentenceText);
}

} // namespace norvane
