// SaveLog/StopSave and the raw log the receive loop and the upgrade append to.

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
        if (!records_.rawLog.open()) {
            messageBoxes().inform(this, QStringLiteral("Open File Error"), applicationTitle());
            return;
        }
        bt_savelog->setText(QStringLiteral("StopSave"));
    } else {
        records_.rawLog.close();
        bt_savelog->setText(QStringLiteral("SaveLog"));
    }
}

void Tgpsw::appendRawLog(const std::string& text)
{
    if (!saving(bt_savelog))
        return;
    if (!text.empty())
        records_.receiver.sentenceText = text;
    records_.rawLog.write(records_.receiver.sentenceText);
}

} // namespace norvane
