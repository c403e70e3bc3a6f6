// The Position Accuracy window, which the main window owns: Ctrl+P and the view-point window's
// Accuracy button open it, every decoded sentence reaches its survey, and its run follows the
// connection (applyLayout tells it).

#include "app/Mpgs.h"
#include "app/error_box.h"
#include "survey/ui/position_accuracy_window.h"

#include <QShortcut>

namespace norvane {

void Tgpsw::connectAccuracyWindow()
{
    accuracy_ = std::make_unique<PositionAccuracyWindow>();
    accuracy_->setReceiverState(&records_.receiver.state);
    auto* open = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), this);
    connect(open, &QShortcut::activated, this, [this] { runGuarded([&] { showAccuracyWindow(); }); });
}

void Tgpsw::showAccuracyWindow()
{
    // Beside the main window the first time; where the user left it afterwards.
    if (!accuracy_->testAttribute(Qt::WA_Moved))
        accuracy_->move(frameGeometry().topRight() + QPoint(8, 0));
    accuracy_->show();
    accuracy_->raise();
    accuracy_->activateWindow();
}

} // namespace norvane
