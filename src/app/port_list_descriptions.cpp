#include "app/port_list_descriptions.h"

#include "serial/port_description.h"

#include <QComboBox>
#include <QEvent>

namespace norvane {

PortListDescriptions::PortListDescriptions(QComboBox* portList) : QObject(portList), portList_(portList)
{
    portList->installEventFilter(this);
    connect(portList, &QComboBox::currentIndexChanged, this, [this] { describeChosenItem(); });
    refresh();
}

void PortListDescriptions::refresh()
{
    for (int item = 0; item < portList_->count(); ++item) {
        const std::string name = portList_->itemText(item).remove(QLatin1Char(' ')).toStdString();
        const QString text = QString::fromStdString(descriptionText(describePort(name)));
        portList_->setItemData(item, text, Qt::ToolTipRole);
        portList_->setItemData(item, text, Qt::AccessibleDescriptionRole);
    }
    describeChosenItem();
}

void PortListDescriptions::describeChosenItem()
{
    const QString text = portList_->currentData(Qt::ToolTipRole).toString();
    portList_->setToolTip(text);
    portList_->setAccessibleDescription(text);
}

bool PortListDescriptions::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::FocusIn:
        refresh();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace norvane
