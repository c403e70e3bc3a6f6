// Replaying a recording in the main window: Ctrl+O or the command line starts it, the bursts go
// through the same receive-loop core as a connection's ticks, and the Replay window beside the
// main window pauses, steps, changes speed and seeks.

#include "app/Mpgs.h"
#include "app/error_box.h"
#include "app/message_boxes.h"
#include "app/message_log_widget.h"
#include "decode/receive_loop.h"
#include "desktop/ui/remembered_settings.h"
#include "replay/replay_player.h"
#include "replay/ui/replay_window.h"
#include "survey/ui/position_accuracy_window.h"
#include "serial/clock.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

namespace norvane {

namespace {

// At most 25 redraws a second: bursts are fed in batches at least this far apart, and the
// window paints between two batches.
constexpr qint64 kReplayFrameMs = 40;
// How long one batch may feed bursts at "max" before the window gets to paint and listen.
constexpr qint64 kReplayBatchMs = 32;

const QString kRecordingFilter = QStringLiteral("NMEA recordings (*.txt *.nmea *.log);;All files (*)");

} // namespace

bool Tgpsw::idle() const
{
    return btStart->text() == QLatin1String("Start") && btStart->isEnabled() && !downloadRunning();
}

void Tgpsw::createReplayWindow()
{
    replayWindow_ = new ReplayWindow(this);
    replayWindow_->hide();
    // Where the last run opened one and left its window, when the program remembers them.
    lastFolder_ = lastFolder();
    replayWindowPlaced_ = rememberGeometry(*replayWindow_, QStringLiteral("windows/replay"));
    replayTimer_ = new QTimer(this);
    replayTimer_->setObjectName(QStringLiteral("replayTimer"));
    replayTimer_->setSingleShot(true);
    openRecordingAction_ = new QAction(QStringLiteral("Open recording…"), this);
    openRecordingAction_->setObjectName(QStringLiteral("openRecording"));
    openRecordingAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    // Found with a right click on the window too, as there is no menu to hold it.
    addAction(openRecordingAction_);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void Tgpsw::connectReplayWindow()
{
    connect(openRecordingAction_, &QAction::triggered, this,
            [this] { runGuarded([&] { openRecording(); }); });
    connect(replayTimer_, &QTimer::timeout, this, [this] { runGuarded([&] { playReplayBursts(false); }); });
    connect(replayWindow_, &ReplayWindow::pauseToggled, this,
            [this] { runGuarded([&] { toggleReplayPause(); }); });
    connect(replayWindow_, &ReplayWindow::stepRequested, this, [this] { runGuarded([&] { stepReplay(); }); });
    connect(replayWindow_, &ReplayWindow::speedChosen, this,
            [this](int speed) { runGuarded([&] { chooseReplaySpeed(speed); }); });
    connect(replayWindow_, &ReplayWindow::seekRequested, this,
            [this](double fraction) { runGuarded([&] { seekReplay(fraction); }); });
}

void Tgpsw::openRecording()
{
    if (!idle())
        return;
    // Until a recording has been opened, where the raw log is written.
    const QString folder = lastFolder_.isEmpty() ? QDir::currentPath() : lastFolder_;
    const QString path =
        messageBoxes().chooseFile(this, QStringLiteral("Open recording…"), folder, kRecordingFilter);
    if (!path.isEmpty())
        startReplay(path, replaySpeed_);
}

bool Tgpsw::startReplay(const QString& path, int speed)
{
    if (!idle())
        return false;
    auto player = std::make_unique<ReplayPlayer>();
    if (!player->open(QFile::encodeName(path).toStdString(), clock().nowMs())) {
        messageBoxes().inform(this, QString::fromStdString(player->error()), applicationTitle());
        return false;
    }
    lastFolder_ = QFileInfo(path).absolutePath();
    rememberFolder(lastFolder_);
    replay_ = std::move(player);
    replaySpeed_ = speed;
    replay_->setSpeed(speed);
    replayFinishShown_ = false;
    btStart->setText(QStringLiteral("Off"));
    applyLayout();
    lockPortUsersForReplay(true);
    replayWindow_->startReplay(path, speed);
    if (!replayWindowPlaced_)
        replayWindow_->move(frameGeometry().topRight() + QPoint(8, 0));
    replayWindow_->show();
    replayTimer_->start(0);
    return true;
}

// Nothing would hear a restart, a query or a download: the port is closed.
void Tgpsw::lockPortUsersForReplay(bool locked)
{
    setPortUsersEnabled(!locked);
    for (QPushButton* button : {bt_refresh, bt_test})
        button->setEnabled(!locked);
}

// Feeds the bursts that are due (or the next one only, for Step) and plans the next batch. Off
// inside a burst's tick (the SNR chart lets clicks through) ends the replay once the tick is
// over, never in the middle of it.
void Tgpsw::playReplayBursts(bool stepOnly)
{
    if (!replay_ || replayFeeding_)
        return;
    QElapsedTimer batch;
    batch.start();
    replayFeeding_ = true;
    {
        // An exception out of a tick (shown by the error box) must not leave the replay
        // believing it is still feeding.
        struct FeedingEnd {
            bool& feeding;
            ~FeedingEnd() { feeding = false; }
        } feedingEnd{replayFeeding_};
        MessageLogWidget::LineBatch lines(*Memo1);
        while (!replayEndAsked_ && replay_) {
            auto burst = stepOnly ? replay_->takeNext(clock().nowMs()) : replay_->takeDue(clock().nowMs());
            if (!burst)
                break;
            feedBurst(*burst);
            if (stepOnly || batch.elapsed() >= kReplayBatchMs)
                break;
        }
    }
    accuracy_->receiveTickEnded();
    if (replayEndAsked_) {
        endReplay();
        return;
    }
    showReplayProgress(batch.elapsed());
}

void Tgpsw::feedBurst(const RecordedBurst& burst)
{
    receiveLoop_->tickOn(reinterpret_cast<const std::uint8_t*>(burst.bytes.data()),
                         static_cast<int>(burst.bytes.size()));
}

void Tgpsw::showReplayProgress(qint64 spentMs)
{
    replayWindow_->showPosition(replay_->position());
    if (!replay_->error().empty()) {
        const QString why = QString::fromStdString(replay_->error());
        endReplay();
        messageBoxes().inform(this, why, applicationTitle());
        return;
    }
    if (replay_->finished()) {
        // The last state stays shown until Off.
        if (!replayFinishShown_) {
            replayFinishShown_ = true;
            accuracy_->recordingEnded();
            memoAddLine("Replay finished");
            replayWindow_->showFinished();
        }
        return;
    }
    if (const auto wait = replay_->msUntilDue(clock().nowMs()))
        replayTimer_->start(static_cast<int>(std::max<qint64>(*wait, kReplayFrameMs - spentMs)));
}

void Tgpsw::toggleReplayPause()
{
    if (!replay_ || replay_->finished())
        return;
    const bool paused = !replay_->paused();
    replay_->setPaused(paused, clock().nowMs());
    replayWindow_->showPaused(paused);
    if (paused)
        replayTimer_->stop();
    else
        wakeReplay();
}

void Tgpsw::stepReplay()
{
    if (replay_ && replay_->paused())
        playReplayBursts(true);
}

void Tgpsw::chooseReplaySpeed(int speed)
{
    replaySpeed_ = speed;
    if (!replay_)
        return;
    replay_->setSpeed(speed);
    wakeReplay();
}

void Tgpsw::seekReplay(double fraction)
{
    if (!replay_)
        return;
    replay_->seek(fraction, clock().nowMs());
    if (!replay_->finished() && replayFinishShown_) {
        replayFinishShown_ = false;
        replayWindow_->showPaused(replay_->paused());
    }
    if (!replayFeeding_)
        showReplayProgress(kReplayFrameMs);
}

// The due time may have changed: the next batch looks again, unless one is feeding now and
// plans the next itself.
void Tgpsw::wakeReplay()
{
    if (replay_ && !replayFeeding_ && !replay_->paused())
        replayTimer_->start(0);
}

void Tgpsw::endReplay()
{
    if (replayFeeding_) {
        replayEndAsked_ = true;
        return;
    }
    replayEndAsked_ = false;
    replayTimer_->stop();
    replay_.reset();
    replayWindow_->endReplay();
    lockPortUsersForReplay(false);
    btStart->setText(QStringLiteral("Start"));
    resetMainWindow();
}

} // namespace norvane
