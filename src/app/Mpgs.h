#pragma once

// The main window: its controls as the control table names them (also their Qt object names, by
// which tests and the demo find them), its event handlers, and the display calls the receive
// loop makes. The program-wide records it works on are lent to it at construction.

#include "app/program_records.h"
#include "decode/receive_sink.h"

#include <QWidget>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace norvane {

class MessageLogWidget;
class PositionAccuracyWindow;
class ReceiveLoop;
class ReplayPlayer;
class ReplayWindow;
struct RecordedBurst;
class SkyPicture;
class SnrChart;
class TFtest;
class Tviewp;

class Tgpsw : public QWidget, public ReceiveSink {
    Q_OBJECT

public:
    explicit Tgpsw(ProgramRecords& records, QWidget* parent = nullptr);
    ~Tgpsw() override;

    // The other two windows, created hidden after the main window: bt_point shows and hides
    // the view-point window, bt_test the test window, which the receive loop drives.
    void attachWindows(Tviewp* viewPoint, TFtest* test);

    void resetMainWindow();
    void receiverFamilyDialog();

    // Replays a recording like a connection, at `speed` (a multiple of its own pace or
    // kReplayMax), with the Replay window beside; only while idle. False, after a message that
    // says why, when the recording cannot be replayed.
    bool startReplay(const QString& path, int speed);

public slots:
    void FormCreate();
    void FormClose();
    void Timer1Timer();
    void Timer2Timer();
    void btStartClick();
    void btAutoscanClick();
    void bt_changeClick();
    void bt_pointClick();
    void bt_coldClick();
    void bt_warmClick();
    void bt_hotClick();
    void bt_savelogClick();
    void bt_refreshClick();
    void Button1Click();
    void bt_revisionClick();
    void bt_testClick();
    // Ctrl+O "Open recording…": a file dialog in the folder opened last, then the replay.
    void openRecording();
    // Ctrl+P and the view-point window's Accuracy: opens the Position Accuracy window, or
    // brings it to the front.
    void showAccuracyWindow();

    // ReceiveSink: what the receive loop writes into the window. Every handler adds its memo
    // lines through memoAddLine too, so that the line count the 500-line rule reads stays right.
public:
    int memoLineCount() override;
    void memoClear() override;
    void memoAddLine(const std::string& line) override;
    void appendRawLog(const std::string& text) override;
    void showPosition() override;
    void showAltitude() override;
    void showTime() override;
    void showDate() override;
    void showSpeed() override;
    void showFixMode() override;
    void showPdop() override;
    void updateSnrChart() override;
    void drawSkyPlot() override;
    bool viewPointVisible() override;
    void plotViewPoint() override;
    std::string ttffText() override;
    void setTtffText(const std::string& text) override;
    std::string versionText(int index) override;
    void setVersionText(int index, const std::string& text) override;
    void restartTestTick(int bytesRead) override;
    void sentenceDecoded(const std::string& type, const std::string& sentence) override;
    void setConnectionButtonsEnabled(bool enabled) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The window's sides of the restart commands, the upgrade and the restart test.
    class WindowRestartHost;
    class WindowUpgradeHost;
    class WindowTestHost;

    // Enabling a running timer leaves its next tick where it was.
    static void setTimerEnabled(QTimer* timer, bool enabled);
    // Timer1's one switch, for every handler that starts or stops the receive loop.
    void switchReceiveLoop(bool on);
    // While a download runs, it alone uses the port.
    bool downloadRunning() const;
    void setPortUsersEnabled(bool enabled);
    std::string stopRunningDownload();

    // The replay: its window's wishes, the bursts fed to the receive loop, its end.
    bool idle() const;
    void createReplayWindow();
    void connectReplayWindow();
    void lockPortUsersForReplay(bool locked);
    void playReplayBursts(bool stepOnly);
    void feedBurst(const RecordedBurst& burst);
    void showReplayProgress(qint64 spentMs);
    void toggleReplayPause();
    void stepReplay();
    void chooseReplaySpeed(int speed);
    void seekReplay(double fraction);
    void wakeReplay();
    void endReplay();

    void createControls();
    void connectViewPointWindow();
    void connectTestWindow();
    void connectAccuracyWindow();
    void nameControlsForAccessibility();
    void connectHandlers();
    void connectShortcuts();
    void setOuterSize(QSize outer);
    void applyLayout();
    void connectLink();
    void disconnectLink();
    bool scanRates(const std::string& portText);
    void drawSkyGrid();
    QLineEdit* versionField(int index) const;

    ProgramRecords& records_;

    QLabel* lbComPort = nullptr;
    QComboBox* cbComPort = nullptr;
    QLabel* lbBaudRate = nullptr;
    QComboBox* cbBandRate = nullptr;
    QPushButton* btStart = nullptr;
    QPushButton* btAutoscan = nullptr;
    QPushButton* bt_change = nullptr;
    QPushButton* bt_point = nullptr;
    QPushButton* bt_cold = nullptr;
    QPushButton* bt_warm = nullptr;
    QPushButton* bt_hot = nullptr;
    SkyPicture* Image1 = nullptr;
    SkyPicture* Image2 = nullptr;
    QLineEdit* td_vers1 = nullptr;
    QLineEdit* td_vers2 = nullptr;
    QLineEdit* td_vers3 = nullptr;
    QPushButton* bt_savelog = nullptr;
    QPushButton* bt_refresh = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label8 = nullptr;
    QLineEdit* td_mode = nullptr;
    QLineEdit* td_ttff = nullptr;
    QLineEdit* td_pdop = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* td_date = nullptr;
    QLineEdit* td_time = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* td_lati_sat = nullptr;
    QLineEdit* td_longi_sat = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* td_alti = nullptr;
    QLineEdit* td_speed = nullptr;
    QLabel* lb_pres = nullptr;
    MessageLogWidget* Memo1 = nullptr;
    SnrChart* Chart1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* bt_revision = nullptr;
    QPushButton* bt_test = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

    Tviewp* viewp_ = nullptr;
    TFtest* Ftest_ = nullptr;
    // A window of its own, as the other two are, rather than a child of this one.
    std::unique_ptr<PositionAccuracyWindow> accuracy_;
    std::unique_ptr<ReceiveLoop> receiveLoop_;

    ReplayWindow* replayWindow_ = nullptr;
    QTimer* replayTimer_ = nullptr;
    QAction* openRecordingAction_ = nullptr;
    std::unique_ptr<ReplayPlayer> replay_; // while a recording is replayed
    QString lastFolder_;
    int replaySpeed_ = 1;
    // Set while bursts are fed: a handler that runs inside (Off) leaves its work to the end.
    bool replayFeeding_ = false;
    bool replayEndAsked_ = false;
    bool replayFinishShown_ = false;
    // Set while Timer1Timer runs; what a handler inside the tick asked of Timer1, if anything.
    bool tickRunning_ = false;
    std::optional<bool> receiveLoopAfterTick_;
};

} // namespace norvane
