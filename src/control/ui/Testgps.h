#pragma once

#include "control/restart_test_host.h"
#include "control/restart_test_panel.h"
#include "control/restart_test_run.h"
#include "control/ttff_lab.h"
#include "desktop/ui/growing_window.h"

#include <QWidget>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace norvane {

// The restart test window, "Test Window". It is opened and closed only through the main
// window's bt_test, which also switches test mode; the receive loop drives it by tickStep().
class TtffResultsWindow;

class TFtest : public QWidget,
               private RestartTestPanel,
               private RestartCycleObserver,
               private TtffLabListener {
    Q_OBJECT

public:
    explicit TFtest(QWidget* parent = nullptr);
    ~TFtest() override;

    // The main window's side of the test; the window keeps it for its lifetime.
    void setHost(std::unique_ptr<RestartTestHost> host);

    // Places the window with its frame at topLeft and its frame's size outer (or larger, when
    // the user has enlarged it).
    void placeWindow(QPoint topLeft, QSize outer);
    // Reset test buttons: the four buttons' visible and enabled state, message cleared.
    void resetTestButtons(bool on);
    // Called by the receive loop at the end of every tick with the bytes the tick read.
    void tickStep(int bytesRead);
    // Called by the receive loop after each decoded sentence: the TTFF of a cycle is timed by
    // the sentence that brings the fix, not by the tick.
    void sentenceDecoded(const std::string& type, const ReceiverState& state);
    const RestartTest& test() const { return test_; }

public slots:
    void bt_hotClick();
    void bt_warmClick();
    void bt_coldClick();
    void bt_autoClick();
    void ed_cyclesExit();
    void ed_waittimeExit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void applyPlacement();
    void colourMessage();
    void createControls();
    void connectHandlers();
    QPushButton* kindButton(RestartKind kind) const;
    QCheckBox* kindBox(RestartKind kind) const;
    QLineEdit* countField(RestartKind kind) const;
    QLineEdit* averageField(RestartKind kind) const;

    // RestartTestPanel over the controls.
    bool kindButtonVisible(RestartKind kind) override;
    bool kindButtonEnabled(RestartKind kind) override;
    void setKindButtonVisible(RestartKind kind, bool visible) override;
    void setKindButtonEnabled(RestartKind kind, bool enabled) override;
    bool autoButtonVisible() override;
    bool autoButtonEnabled() override;
    void setAutoButtonVisible(bool visible) override;
    void setAutoButtonEnabled(bool enabled) override;
    bool kindChecked(RestartKind kind) override;
    void setKindChecked(RestartKind kind, bool checked) override;
    void setCountText(RestartKind kind, const std::string& text) override;
    void setAverageText(RestartKind kind, const std::string& text) override;
    std::string cyclesText() override;
    std::string waitTimeText() override;
    std::string cyclesCaption() override;
    std::string message() override;
    void setMessage(const std::string& text) override;

    // RestartCycleObserver and TtffLabListener: each cycle measured beside the count in ticks.
    void runStarted() override;
    void restartIssued(RestartKind kind) override;
    void cycleFinished(const TtffRecord& record) override;
    void csvFailed(const std::string& message) override;
    void showResultsWindow();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* ed_cycles = nullptr;
    QLineEdit* ed_waittime = nullptr;
    QPushButton* bt_auto = nullptr;
    QCheckBox* Checkhot = nullptr;
    QCheckBox* Checkwarm = nullptr;
    QCheckBox* Checkcold = nullptr;
    QPushButton* bt_hot = nullptr;
    QPushButton* bt_warm = nullptr;
    QPushButton* bt_cold = nullptr;
    QLineEdit* ed_hot1 = nullptr;
    QLineEdit* ed_warm1 = nullptr;
    QLineEdit* ed_cold1 = nullptr;
    QLineEdit* ed_hota = nullptr;
    QLineEdit* ed_warma = nullptr;
    QLineEdit* ed_colda = nullptr;
    QLabel* lb_testmes = nullptr;

    QRect placement_; // frame position and size asked for by placeWindow()
    StartSize startSize_;
    RestartTest test_{*this};
    std::unique_ptr<RestartTestHost> host_;
    TtffLab lab_;
    TtffResultsWindow* results_ = nullptr;
    bool resultsPlaced_ = false;
};

} // namespace norvane
