#include "desktop/ui/window_role.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDialog>
#include <QWidget>

namespace norvane {

namespace {

// Asked for each class of an object, the most derived first; answers only for that first
// asking, so the toolkit's own interfaces stay in charge of everything else.
QAccessibleInterface* windowInterface(const QString& className, QObject* object)
{
    if (object == nullptr || !object->isWidgetType() ||
        className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    const Qt::WindowType type = widget->windowType();
    if ((type != Qt::Window && type != Qt::Tool) || qobject_cast<QDialog*>(widget) != nullptr)
        return nullptr;
    // Only a window made straight from a plain widget, which would be read as a client area;
    // the toolkit's own windows (menus, main windows) keep their roles.
    if (QLatin1String(widget->metaObject()->superClass()->className()) != QLatin1String("QWidget"))
        return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Window);
}

} // namespace

void announceWindowsAsFrames()
{
    QAccessible::installFactory(windowInterface);
}

} // namespace norvane
