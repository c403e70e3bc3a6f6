#pragma once

#include "survey/survey_lab.h"

#include <QWidget>
#include <string>

class QLabel;
class QPushButton;

namespace norvane {

class ErrorTimePlot;
class FigurePanel;
class ReferencePanel;
class ScatterPlot;

// "Position Accuracy": a survey of the connected receiver's fixes in metres, run while the
// window is open and the receiver connected (a replayed recording counts as connected): the
// scatter about the reference, the error over time, the figures, the reference choice and the
// run's CSV. Each run is a new survey and a new CSV; Off or closing the window ends it, and its
// figures stay to be read. The main window owns it and hands it every decoded sentence.
class PositionAccuracyWindow : public QWidget, private SurveyLabListener {
    Q_OBJECT

public:
    explicit PositionAccuracyWindow(QWidget* parent = nullptr);
    ~PositionAccuracyWindow() override;

    // The receiver is connected (or a recording replays); a run goes while this holds and the
    // window is shown.
    void setConnected(bool connected);
    // The receiver state the views are drawn from, for the signal strength at each epoch.
    void setReceiverState(ReceiverState* state) { lab_.setReceiverState(state); }
    // Every sentence with a valid checksum, as the receive loop decoded it.
    void sentenceDecoded(const std::string& type, const std::string& sentence);
    // After each receive tick: figures and plots follow the survey, at most once a second.
    void receiveTickEnded();
    // A replayed recording has no more bytes: its figures shown from every epoch at once, not
    // from those of the last refresh.
    void recordingEnded();

public slots:
    void bt_restartClick();
    void bt_zoominClick();
    void bt_zoomoutClick();
    void bt_fitClick();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void createControls();
    void connectHandlers();
    void startRun();
    void endRun();
    void showFigures();
    void showRefresh();
    void referenceChosen();
    void useMeanAsReference();
    void referenceChanged();
    void csvFailed(const std::string& message) override;

    SurveyLab lab_;
    bool connected_ = false;

    ScatterPlot* chart_scatter = nullptr;
    ErrorTimePlot* chart_errors = nullptr;
    FigurePanel* figures_ = nullptr;
    ReferencePanel* reference_ = nullptr;
    QPushButton* bt_zoomin = nullptr;
    QPushButton* bt_zoomout = nullptr;
    QPushButton* bt_fit = nullptr;
    QPushButton* bt_restart = nullptr;
    QLabel* lb_systems = nullptr;
    QLabel* lb_csvfile = nullptr;
};

} // namespace norvane
