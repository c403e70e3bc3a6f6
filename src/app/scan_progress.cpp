#include "app/scan_progress.h"

#include "serial/clock.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace norvane {

ScanProgress::ScanProgress(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("ScanProgress"));
    setWindowTitle(QStringLiteral("AutoScan"));
    setModal(true);
    lb_scan = new QLabel(this);
    lb_scan->setObjectName(QStringLiteral("lb_scan"));
    lb_scan->setMinimumWidth(
        lb_scan->fontMetrics().horizontalAdvance(QStringLiteral("Scanning COM99 at 128000")));
    bt_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    bt_cancel->setObjectName(QStringLiteral("bt_cancel"));
    connect(bt_cancel, &QPushButton::clicked, this, &ScanProgress::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bt_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lb_scan);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    waitingBefore_ = setWhileWaiting([] { QCoreApplication::processEvents(); });
    show();
}

ScanProgress::~ScanProgress()
{
    setWhileWaiting(waitingBefore_);
}

void ScanProgress::showTrying(const QString& portText, const QString& rateText)
{
    lb_scan->setText(QStringLiteral("Scanning %1 at %2").arg(portText.trimmed(), rateText.trimmed()));
}

// Closing only marks the scan cancelled; the scan ends at its next step and closes the dialog.
void ScanProgress::reject()
{
    cancelled_ = true;
    lb_scan->setText(QStringLiteral("Cancelling"));
}

} // namespace norvane
