#pragma once

#include "replay/replay_player.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QSlider;

namespace norvane {

// "Replay": the tool window beside the main window while a recording is replayed. It shows
// where the replay stands and hands the user's wishes to the main window, which plays.
class ReplayWindow : public QWidget {
    Q_OBJECT

public:
    explicit ReplayWindow(QWidget* owner);

    // A new replay of `path`: playing, at `speed`, from the start.
    void startReplay(const QString& path, int speed);
    void showPosition(const ReplayPosition& position);
    void showPaused(bool paused);
    void showFinished();
    // Off: the window may close again.
    void endReplay();

signals:
    void pauseToggled();
    void stepRequested();
    void speedChosen(int speed);
    void seekRequested(double fraction);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void connectControls();
    void showState(const QString& text);

    QLabel* lb_recording = nullptr;
    QPushButton* bt_pause = nullptr;
    QPushButton* bt_step = nullptr;
    QComboBox* cb_speed = nullptr;
    QSlider* sl_seek = nullptr;
    QLabel* lb_position = nullptr;
    QLabel* lb_state = nullptr;
    bool replaying_ = false;
};

} // namespace norvane
