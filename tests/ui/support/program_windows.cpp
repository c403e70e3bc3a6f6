#include "ui/support/program_windows.h"

#include <QApplication>

namespace norvane::uitest {

ProgramWindows::ProgramWindows(std::unique_ptr<PortBackend> port, std::optional<QuestionAnswer> family)
{
    if (family)
        boxes.answerNext(*family);
    if (port)
        records.link = SerialLink(std::move(port));
    gpsw = std::make_unique<Tgpsw>(records);
    gpsw->attachWindows(&viewp, &ftest);
}

QWidget& ProgramWindows::ownWindow(const QString& name) const
{
    QList<QWidget*> found;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == name)
            found << window;
    if (found.size() != 1)
        qFatal("%d windows named %s", static_cast<int>(found.size()), qPrintable(name));
    return *found.front();
}

} // namespace norvane::uitest
