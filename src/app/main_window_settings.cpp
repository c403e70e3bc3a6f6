// What the main window remembers between runs: the port and rate of the last connection and
// the receiver family, which the start-up question offers first.

#include "app/Mpgs.h"
#include "desktop/ui/remembered_settings.h"

#include <QComboBox>

namespace norvane {

namespace {

const QString kPortKey = QStringLiteral("connection/port");
const QString kRateKey = QStringLiteral("connection/rate");
const QString kFamilyKey = QStringLiteral("receiver/family");

// The item whose text is the remembered one, spaces aside; a text the list does not hold
// (an edited or broken file) selects nothing.
void selectRemembered(QComboBox* box, const QString& key)
{
    const auto text = rememberedText(key);
    if (!text || text->trimmed().isEmpty())
        return;
    for (int item = 0; item < box->count(); ++item)
        if (box->itemText(item).trimmed() == text->trimmed())
            box->setCurrentIndex(item);
}

} // namespace

void Tgpsw::selectRememberedConnection()
{
    selectRemembered(cbComPort, kPortKey);
    selectRemembered(cbBandRate, kRateKey);
}

void Tgpsw::rememberConnection()
{
    rememberText(kPortKey, cbComPort->currentText().trimmed());
    rememberText(kRateKey, cbBandRate->currentText().trimmed());
}

QuestionAnswer Tgpsw::rememberedFamilyAnswer()
{
    return rememberedText(kFamilyKey) == QString::number(kLumoFamily) ? QuestionAnswer::Second
                                                                      : QuestionAnswer::First;
}

void Tgpsw::rememberFamily()
{
    rememberText(kFamilyKey, QString::number(records_.receiver.state.receiver_family));
}

} // namespace norvane
