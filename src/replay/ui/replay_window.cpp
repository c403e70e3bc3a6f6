#include "replay/ui/replay_window.h"

#include "replay/replay_pacing.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

namespace norvane {

namespace {

// The slider counts in thousandths of the recording.
constexpr int kSeekSteps = 1000;

} // namespace

ReplayWindow::ReplayWindow(QWidget* owner) : QWidget(owner, Qt::Tool)
{
    setObjectName(QStringLiteral("Replay"));
    setWindowTitle(QStringLiteral("Replay"));
    createControls();
    connectControls();
    // Laid out to grow: it opens at the size its contents ask for and never gets smaller.
    resize(sizeHint().expandedTo(QSize(360, 0)));
    setMinimumSize(size());
}

void ReplayWindow::createControls()
{
    lb_recording = new QLabel(this);
    lb_recording->setObjectName(QStringLiteral("lb_recording"));
    lb_recording->setAccessibleName(QStringLiteral("Recording"));
    lb_recording->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lb_recording->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    bt_pause = new QPushButton(QStringLiteral("Pause"), this);
    bt_pause->setObjectName(QStringLiteral("bt_pause"));
    bt_step = new QPushButton(QStringLiteral("Step"), this);
    bt_step->setObjectName(QStringLiteral("bt_step"));
    bt_step->setAccessibleName(QStringLiteral("Step"));
    auto* speedLabel = new QLabel(QStringLiteral("Speed"), this);
    cb_speed = new QComboBox(this);
    cb_speed->setObjectName(QStringLiteral("cb_speed"));
    cb_speed->setAccessibleName(QStringLiteral("Speed"));
    for (int speed : kReplaySpeeds)
        cb_speed->addItem(QString::fromStdString(replaySpeedText(speed)), speed);
    speedLabel->setBuddy(cb_speed);
    sl_seek = new QSlider(Qt::Horizontal, this);
    sl_seek->setObjectName(QStringLiteral("sl_seek"));
    sl_seek->setAccessibleName(QStringLiteral("Seek"));
    sl_seek->setAccessibleDescription(QStringLiteral("Where in the recording the replay goes on"));
    sl_seek->setRange(0, kSeekSteps);
    sl_seek->setPageStep(kSeekSteps / 20);
    lb_position = new QLabel(this);
    lb_position->setObjectName(QStringLiteral("lb_position"));
    lb_position->setAccessibleName(QStringLiteral("Position"));
    lb_state = new QLabel(this);
    lb_state->setObjectName(QStringLiteral("lb_state"));
    lb_state->setAccessibleName(QStringLiteral("State"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(lb_recording, 0, 0, 1, 5);
    layout->addWidget(bt_pause, 1, 0);
    layout->addWidget(bt_step, 1, 1);
    layout->addWidget(speedLabel, 1, 3, Qt::AlignRight);
    layout->addWidget(cb_speed, 1, 4);
    layout->setColumnStretch(2, 1);
    layout->addWidget(sl_seek, 2, 0, 1, 5);
    layout->addWidget(lb_position, 3, 0, 1, 5);
    layout->addWidget(lb_state, 4, 0, 1, 5);
    layout->setRowStretch(5, 1);
    showPaused(false);
}

void ReplayWindow::connectControls()
{
    connect(bt_pause, &QPushButton::clicked, this, &ReplayWindow::pauseToggled);
    connect(bt_step, &QPushButton::clicked, this, &ReplayWindow::stepRequested);
    connect(cb_speed, &QComboBox::activated, this,
            [this](int index) { emit speedChosen(cb_speed->itemData(index).toInt()); });
    // A drag seeks once, where it is let go; a click or a key at once.
    connect(sl_seek, &QSlider::sliderReleased, this,
            [this] { emit seekRequested(static_cast<double>(sl_seek->value()) / kSeekSteps); });
    connect(sl_seek, &QSlider::valueChanged, this, [this](int value) {
        if (!sl_seek->isSliderDown())
            emit seekRequested(static_cast<double>(value) / kSeekSteps);
    });
}

void ReplayWindow::startReplay(const QString& path, int speed)
{
    replaying_ = true;
    // The file's name; the whole path, however long, in its tooltip and for screen readers.
    lb_recording->setText(QFileInfo(path).fileName());
    lb_recording->setToolTip(path);
    lb_recording->setAccessibleDescription(path);
    cb_speed->setCurrentIndex(cb_speed->findData(speed));
    showPosition({});
    showPaused(false);
}

void ReplayWindow::showPosition(const ReplayPosition& position)
{
    const QString text = QString::fromStdString(positionText(position));
    lb_position->setText(text);
    lb_position->setAccessibleDescription(text);
    if (!sl_seek->isSliderDown()) {
        const QSignalBlocker quiet(sl_seek);
        sl_seek->setValue(static_cast<int>(position.fraction * kSeekSteps + 0.5));
    }
}

void ReplayWindow::showPaused(bool paused)
{
    const QString caption = paused ? QStringLiteral("Resume") : QStringLiteral("Pause");
    bt_pause->setText(caption);
    bt_pause->setAccessibleName(caption);
    bt_pause->setEnabled(true);
    bt_step->setEnabled(paused);
    showState(paused ? QStringLiteral("Paused") : QStringLiteral("Replaying"));
}

void ReplayWindow::showFinished()
{
    bt_pause->setEnabled(false);
    bt_step->setEnabled(false);
    showState(QStringLiteral("Replay finished"));
}

void ReplayWindow::endReplay()
{
    replaying_ = false;
    hide();
}

void ReplayWindow::showState(const QString& text)
{
    lb_state->setText(text);
    lb_state->setAccessibleDescription(text);
}

// The replay's controls stay while it runs; Off in the main window ends it and closes them.
void ReplayWindow::closeEvent(QCloseEvent* event)
{
    if (replaying_)
        event->ignore();
    else
        event->accept();
}

} // namespace norvane
