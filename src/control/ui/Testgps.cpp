#include "control/ui/Testgps.h"

#include "control/restart_test_rules.h"
#include "control/ui/ttff_results_window.h"
#include "desktop/ui/growing_window.h"
#include "desktop/ui/remembered_settings.h"
#include "view/ui/palette_colours.h"
#include "view/ui/rgb_colour.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace norvane {

namespace {

// The window's font is often missing outside its home desktop; narrow look-alikes follow it, so
// that "Wait Time" still fits its designed label.
QFont designFont(int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies({"MS Sans Serif", "Microsoft Sans Serif", "DejaVu Sans Condensed", "Sans Serif"});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

template <class Control> Control* place(Control* control, const char* name, QRect geometry, int pixelSize)
{
    control->setObjectName(QLatin1String(name));
    control->setGeometry(geometry);
    control->setFont(designFont(pixelSize, true));
    return control;
}

QLabel* label(QWidget* parent, const char* name, const char* caption, QRect geometry, int pixelSize)
{
    return place(new QLabel(QString::fromLatin1(caption), parent), name, geometry, pixelSize);
}

QLineEdit* edit(QWidget* parent, const char* name, const char* text, QRect geometry, int pixelSize)
{
    return place(new QLineEdit(QString::fromLatin1(text), parent), name, geometry, pixelSize);
}

QPushButton* button(QWidget* parent, const char* name, const char* caption, QRect geometry)
{
    return place(new QPushButton(QString::fromLatin1(caption), parent), name, geometry, 13);
}

QCheckBox* checkBox(QWidget* parent, const char* name, QRect geometry)
{
    auto* box = new QCheckBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    return box;
}

} // namespace

TFtest::TFtest(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Ftest"));
    setWindowTitle(QStringLiteral("Test Window"));
    // Opened and closed only through the main window's bt_test, so no border icons.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    resize(202, 196);
    growFrom(*this, size());
    setFont(designFont(11, false));
    createControls();
    connectHandlers();
}

TFtest::~TFtest()
{
    lab_.endRun();
}

void TFtest::createControls()
{
    Label1 = label(this, "Label1", "Cycles ", {8, 11, 52, 16}, 13);
    Label2 = label(this, "Label2", "Wait Time", {8, 39, 71, 16}, 13);
    ed_cycles = edit(this, "ed_cycles", "1", {80, 8, 49, 24}, 13);
    ed_waittime = edit(this, "ed_waittime", "1", {80, 38, 49, 24}, 13);
    bt_auto = button(this, "bt_auto", "Auto", {138, 6, 55, 41});
    Checkhot = checkBox(this, "Checkhot", {23, 61, 14, 19});
    Checkwarm = checkBox(this, "Checkwarm", {86, 61, 17, 19});
    Checkcold = checkBox(this, "Checkcold", {154, 61, 17, 19});
    bt_hot = button(this, "bt_hot", "Hot", {6, 80, 49, 33});
    bt_warm = button(this, "bt_warm", "Warm", {71, 80, 48, 33});
    bt_cold = button(this, "bt_cold", "Cold", {136, 80, 50, 33});
    ed_hot1 = edit(this, "ed_hot1", "", {5, 112, 49, 28}, 16);
    ed_warm1 = edit(this, "ed_warm1", "", {70, 112, 49, 28}, 16);
    ed_cold1 = edit(this, "ed_cold1", "", {137, 112, 49, 28}, 16);
    ed_hota = edit(this, "ed_hota", "", {6, 143, 49, 28}, 16);
    ed_warma = edit(this, "ed_warma", "", {70, 144, 49, 28}, 16);
    ed_colda = edit(this, "ed_colda", "", {137, 143, 49, 28}, 16);
    lb_testmes = label(this, "lb_testmes", "", {5, 174, 6, 20}, 16);
    colourMessage();
    results_ = new TtffResultsWindow(this);
    // A results window the user has placed before opens there; otherwise beside this one.
    resultsPlaced_ = rememberGeometry(*results_, QStringLiteral("windows/ttffResults"));
}

void TFtest::connectHandlers()
{
    connect(bt_hot, &QPushButton::clicked, this, &TFtest::bt_hotClick);
    connect(bt_warm, &QPushButton::clicked, this, &TFtest::bt_warmClick);
    connect(bt_cold, &QPushButton::clicked, this, &TFtest::bt_coldClick);
    connect(bt_auto, &QPushButton::clicked, this, &TFtest::bt_autoClick);
    ed_cycles->installEventFilter(this);
    ed_waittime->installEventFilter(this);
    test_.setCycleObserver(this);
    lab_.setListener(this);
}

void TFtest::setHost(std::unique_ptr<RestartTestHost> host)
{
    host_ = std::move(host);
    test_.setHost(host_.get());
}

void TFtest::placeWindow(QPoint topLeft, QSize outer)
{
    placement_ = QRect(topLeft, outer);
    applyPlacement();
}

// The frame is known only once the window has been shown and framed; until then it counts as
// nothing, and showing the window applies the placement again. A window the user has enlarged
// keeps its size.
void TFtest::applyPlacement()
{
    if (placement_.isEmpty())
        return;
    const QSize frame = (frameGeometry().size() - geometry().size()).expandedTo(QSize(0, 0));
    move(placement_.topLeft());
    startSize_.apply(*this, placement_.size() - frame);
}

// Only bt_test opens and closes the window, and closing it there ends a run; a close from the
// window manager (Alt+F4) would leave a run going on unseen, so it is refused.
void TFtest::closeEvent(QCloseEvent* event)
{
    event->ignore();
}

// Blue on a light window; on a dark one a blue light enough to read.
void TFtest::colourMessage()
{
    QPalette palette = lb_testmes->palette();
    palette.setColor(QPalette::WindowText, toQColor(viewColoursOf(this->palette()).message));
    lb_testmes->setPalette(palette);
}

void TFtest::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && lb_testmes)
        colourMessage();
}

void TFtest::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    applyPlacement();
}

void TFtest::resetTestButtons(bool on)
{
    test_.resetButtons(on);
}

void TFtest::tickStep(int bytesRead)
{
    test_.tickStep(bytesRead);
    lab_.poll();
}

void TFtest::sentenceDecoded(const std::string& type, const ReceiverState& state)
{
    lab_.sentenceDecoded(type, state);
}

// Every run gets its own CSV; one that cannot be written leaves the test running and says why.
void TFtest::runStarted()
{
    for (RestartKind kind : kAutoOrder)
        lab_.setLimitSeconds(kind, results_->limitSeconds(kind));
    std::string error;
    if (lab_.startRun(error))
        results_->startRun("CSV: " + lab_.csvPath());
    else
        results_->startRun(error);
    showResultsWindow();
}

void TFtest::restartIssued(RestartKind kind)
{
    lab_.restartWritten(kind, host_ ? host_->restartWrittenMs() : clock().nowMs());
}

void TFtest::cycleFinished(const TtffRecord& record)
{
    results_->addCycle(record);
    results_->showSummary(record.kind, lab_.summary(record.kind));
}

void TFtest::csvFailed(const std::string& message)
{
    results_->showCsvProblem(message);
}

// Beside the test window, the first time; later where the user left it.
void TFtest::showResultsWindow()
{
    if (results_->isVisible())
        return;
    if (!resultsPlaced_) {
        results_->move(frameGeometry().topRight() + QPoint(8, 0));
        resultsPlaced_ = true;
    }
    results_->show();
}

// The window is disabled while a download has the port; a click that gets here anyway is
// refused.
void TFtest::bt_hotClick()
{
    if (!isEnabled())
        return;
    test_.startSingleRun(RestartKind::Hot);
}

void TFtest::bt_warmClick()
{
    if (!isEnabled())
        return;
    test_.startSingleRun(RestartKind::Warm);
}

void TFtest::bt_coldClick()
{
    if (!isEnabled())
        return;
    test_.startSingleRun(RestartKind::Cold);
}

void TFtest::bt_autoClick()
{
    if (!isEnabled())
        return;
    test_.startAutoRun();
}

void TFtest::ed_cyclesExit()
{
    ed_cycles->setText(QString::fromStdString(rangeCorrectedText(ed_cycles->text().toStdString())));
}

void TFtest::ed_waittimeExit()
{
    ed_waittime->setText(QString::fromStdString(rangeCorrectedText(ed_waittime->text().toStdString())));
}

bool TFtest::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut) {
        if (watched == ed_cycles)
            ed_cyclesExit();
        else if (watched == ed_waittime)
            ed_waittimeExit();
    }
    return QWidget::eventFilter(watched, event);
}

QPushButton* TFtest::kindButton(RestartKind kind) const
{
    switch (kind) {
    case RestartKind::Cold:
        return bt_cold;
    case RestartKind::Warm:
        return bt_warm;
    case RestartKind::Hot:
        break;
    }
    return bt_hot;
}

QCheckBox* TFtest::kindBox(RestartKind kind) const
{
    switch (kind) {
    case RestartKind::Cold:
        return Checkcold;
    case RestartKind::Warm:
        return Checkwarm;
    case RestartKind::Hot:
        break;
    }
    return Checkhot;
}

QLineEdit* TFtest::countField(RestartKind kind) const
{
    switch (kind) {
    case RestartKind::Cold:
        return ed_cold1;
    case RestartKind::Warm:
        return ed_warm1;
    case RestartKind::Hot:
        break;
    }
    return ed_hot1;
}

QLineEdit* TFtest::averageField(RestartKind kind) const
{
    switch (kind) {
    case RestartKind::Cold:
        return ed_colda;
    case RestartKind::Warm:
        return ed_warma;
    case RestartKind::Hot:
        break;
    }
    return ed_hota;
}

// "Visible" is the button's own property: isVisible() would also be false for every button
// while the window itself is hidden.
bool TFtest::kindButtonVisible(RestartKind kind)
{
    return !kindButton(kind)->isHidden();
}

// The button's own property too: the whole window is disabled while a download runs, and
// the run it stands for must survive that.
bool TFtest::kindButtonEnabled(RestartKind kind)
{
    return kindButton(kind)->isEnabledTo(this);
}

void TFtest::setKindButtonVisible(RestartKind kind, bool visible)
{
    kindButton(kind)->setVisible(visible);
}

void TFtest::setKindButtonEnabled(RestartKind kind, bool enabled)
{
    kindButton(kind)->setEnabled(enabled);
}

bool TFtest::autoButtonVisible()
{
    return !bt_auto->isHidden();
}

bool TFtest::autoButtonEnabled()
{
    return bt_auto->isEnabledTo(this);
}

void TFtest::setAutoButtonVisible(bool visible)
{
    bt_auto->setVisible(visible);
}

void TFtest::setAutoButtonEnabled(bool enabled)
{
    bt_auto->setEnabled(enabled);
}

bool TFtest::kindChecked(RestartKind kind)
{
    return kindBox(kind)->isChecked();
}

void TFtest::setKindChecked(RestartKind kind, bool checked)
{
    kindBox(kind)->setChecked(checked);
}

void TFtest::setCountText(RestartKind kind, const std::string& text)
{
    countField(kind)->setText(QString::fromStdString(text));
}

void TFtest::setAverageText(RestartKind kind, const std::string& text)
{
    averageField(kind)->setText(QString::fromStdString(text));
}

std::string TFtest::cyclesText()
{
    return ed_cycles->text().toStdString();
}

std::string TFtest::waitTimeText()
{
    return ed_waittime->text().toStdString();
}

std::string TFtest::cyclesCaption()
{
    return Label1->text().toStdString();
}

std::string TFtest::message()
{
    return lb_testmes->text().toStdString();
}

void TFtest::setMessage(const std::string& text)
{
    lb_testmes->setText(QString::fromStdString(text));
    lb_testmes->adjustSize();
}

} // namespace norvane
