#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

namespace norvane {

// Open while the auto-scan runs: it says what the scan tries now ("Scanning COM3 at 38400"),
// and Esc, Cancel or its close box stop the scan. It is modal, so a click elsewhere starts
// nothing in the middle of the scan; while it is open, every wait of the scan lets the windows
// paint and this dialog take its keys.
class ScanProgress : public QDialog {
    Q_OBJECT

public:
    explicit ScanProgress(QWidget* owner);
    ~ScanProgress() override;

    void showTrying(const QString& portText, const QString& rateText);
    bool cancelled() const { return cancelled_; }

public slots:
    void reject() override;

private:
    QLabel* lb_scan = nullptr;
    QPushButton* bt_cancel = nullptr;
    bool cancelled_ = false;
    std::function<void()> waitingBefore_;
};

} // namespace norvane
