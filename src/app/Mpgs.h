#pragma once

// The main window: its controls as the control table names them (also their Qt object names),
// the program-wide records it owns, and its event handlers.

#include "decode/receive_sink.h"
#include "decode/receiver_state.h"
#include "log/raw_log.h"
#include "serial/serial_link.h"

#include <QWidget>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace norvane {

class SkyPicture;
class SnrChart;
class Tviewp;
class TFtest;
class ReceiveLoop;

class Tgpsw : public QWidget, public ReceiveSink {
    Q_OBJECT

public:
    explicit Tgpsw(QWidget* parent = nullptr);
    ~Tgpsw() override;

    // The other two windows, created hidden after the main window. Attaching calls
    // connectViewPointWindow() and connectTestWindow(), which wire each window to this one.
    void attachWindows(Tviewp* viewPoint, TFtest* test);
    void connectViewPointWindow();
    void connectTestWindow();
    Tviewp* viewp() const { return viewp_; }
    TFtest* Ftest() const { return Ftest_; }

    // Program-wide records.
    Receiver receiver;
    SerialLink link;
    ReceiveBuffer receiveBuffer{};
    RawLog rawLog;

    // Controls of the main window.
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
    QPlainTextEdit* Memo1 = nullptr;
    SnrChart* Chart1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* bt_revision = nullptr;
    QPushButton* bt_test = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

    // Routines other windows and handlers call.
    void resetMainWindow();
    void receiverFamilyDialog();
    void restartReset();
    void appendRawLog(const std::string& text) override;

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

    // ReceiveSink: what the receive loop writes into the window. Any handler adds its memo
    // lines through memoAddLine too, so that the line count the 500-line rule reads stays right.
public:
    int memoLineCount() override;
    void memoClear() override;
    void memoAddLine(const std::string& line) override;
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
    void setConnectionButtonsEnabled(bool enabled) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void connectLink();
    void disconnectLink();
    bool scanRates(const std::string& portText);
    void nameControlsForAccessibility();
    void connectHandlers();
    void setOuterSize(QSize outer);
    void applyLayout();
    void drawSkyGrid();
    QLineEdit* versionField(int index) const;

    Tviewp* viewp_ = nullptr;
    TFtest* Ftest_ = nullptr;
    ReceiveLoop* receiveLoop_ = nullptr;
    bool memoHoldsEmptyLine_ = false;
};

} // namespace norvane
