#include "survey/ui/position_accuracy_window.h"

#include "desktop/ui/growing_window.h"
#include "desktop/ui/remembered_settings.h"
#include "serial/clock.h"
#include "survey/survey_report.h"
#include "survey/ui/error_time_plot.h"
#include "survey/ui/figure_panel.h"
#include "survey/ui/reference_panel.h"
#include "survey/ui/scatter_plot.h"
#include "view/ui/selectable_label.h"

#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QVBoxLayout>

namespace norvane {

namespace {

constexpr const char* kNoFixYet = "No fix yet: there is no mean to use.";

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* made = new QPushButton(caption, parent);
    made->setObjectName(QLatin1String(name));
    return made;
}

} // namespace

PositionAccuracyWindow::PositionAccuracyWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("PositionAccuracy"));
    setWindowTitle(QStringLiteral("Position Accuracy"));
    lab_.setListener(this);
    createControls();
    connectHandlers();
    // Grows, never shrinks below its start: the extra room goes to the plots.
    growFrom(*this, sizeHint());
    rememberGeometry(*this, QStringLiteral("windows/positionAccuracy"));
}

PositionAccuracyWindow::~PositionAccuracyWindow()
{
    lab_.setListener(nullptr);
    lab_.endRun();
}

void PositionAccuracyWindow::createControls()
{
    chart_scatter = new ScatterPlot(lab_.survey(), this);
    chart_scatter->setObjectName(QStringLiteral("chart_scatter"));
    chart_scatter->setAccessibleName(QStringLiteral("Scatter of the fixes"));
    chart_errors = new ErrorTimePlot(lab_.survey(), this);
    chart_errors->setObjectName(QStringLiteral("chart_errors"));
    chart_errors->setAccessibleName(QStringLiteral("Error over time"));
    bt_zoomin = button(this, "bt_zoomin", QStringLiteral("Zoom in"));
    bt_zoomout = button(this, "bt_zoomout", QStringLiteral("Zoom out"));
    bt_fit = button(this, "bt_fit", QStringLiteral("Fit"));
    bt_restart = button(this, "bt_restart", QStringLiteral("Restart"));
    bt_restart->setEnabled(false);
    figures_ = new FigurePanel(this);
    figures_->setObjectName(QStringLiteral("figures"));
    reference_ = new ReferencePanel(this);
    lb_systems = new SelectableLabel(this);
    lb_systems->setObjectName(QStringLiteral("lb_systems"));
    lb_systems->setAccessibleName(QStringLiteral("Signal strength by system"));
    lb_systems->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lb_csvfile = new QLabel(this);
    lb_csvfile->setObjectName(QStringLiteral("lb_csvfile"));
    lb_csvfile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    showFigures();

    auto* zoom = new QHBoxLayout;
    zoom->addWidget(bt_zoomin);
    zoom->addWidget(bt_zoomout);
    zoom->addWidget(bt_fit);
    zoom->addStretch();
    auto* plots = new QVBoxLayout;
    plots->addLayout(zoom);
    plots->addWidget(chart_scatter, 3);
    plots->addWidget(chart_errors, 2);
    // The figures and the systems' lines scroll rather than squeeze or overlap when they grow
    // longer than the window: a receiver of many systems adds a line for each.
    auto* listed = new QWidget;
    auto* list = new QVBoxLayout(listed);
    list->setContentsMargins(0, 0, 0, 0);
    list->addWidget(figures_);
    list->addWidget(lb_systems);
    list->addStretch();
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(listed);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // All of today's figures and the lines of four systems in sight at the start size; more
    // scroll.
    const int systemLines = 4 * lb_systems->fontMetrics().lineSpacing() + list->spacing();
    scroll->setMinimumSize(figures_->sizeHint() +
                           QSize(scroll->verticalScrollBar()->sizeHint().width(), systemLines));
    auto* side = new QVBoxLayout;
    side->addWidget(scroll, 1);
    side->addWidget(reference_);
    side->addWidget(bt_restart);
    auto* columns = new QHBoxLayout;
    columns->addLayout(plots, 1);
    columns->addLayout(side, 0);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(lb_csvfile);
}

void PositionAccuracyWindow::connectHandlers()
{
    connect(bt_zoomin, &QPushButton::clicked, this, &PositionAccuracyWindow::bt_zoominClick);
    connect(bt_zoomout, &QPushButton::clicked, this, &PositionAccuracyWindow::bt_zoomoutClick);
    connect(bt_fit, &QPushButton::clicked, this, &PositionAccuracyWindow::bt_fitClick);
    connect(bt_restart, &QPushButton::clicked, this, &PositionAccuracyWindow::bt_restartClick);
    connect(reference_, &ReferencePanel::choiceMade, this, &PositionAccuracyWindow::referenceChosen);
    connect(reference_, &ReferencePanel::useMeanClicked, this, &PositionAccuracyWindow::useMeanAsReference);
}

void PositionAccuracyWindow::setConnected(bool connected)
{
    if (connected == connected_)
        return;
    connected_ = connected;
    bt_restart->setEnabled(connected);
    if (!connected)
        endRun();
    else if (isVisible())
        startRun();
}

// Restored from the task bar the run goes on; shown anew while connected, a run starts.
void PositionAccuracyWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (connected_ && !lab_.running())
        startRun();
}

// Minimising hides the window only spontaneously; closing or hiding it ends the run.
void PositionAccuracyWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        endRun();
}

void PositionAccuracyWindow::startRun()
{
    std::string error;
    const bool created = lab_.startRun(error);
    chart_scatter->forget();
    chart_errors->forget();
    showFigures();
    lb_csvfile->setText(QString::fromStdString(created ? "CSV: " + lab_.csvPath() : error));
}

void PositionAccuracyWindow::endRun()
{
    if (!lab_.running())
        return;
    lab_.endRun();
    showRefresh();
}

void PositionAccuracyWindow::bt_restartClick()
{
    if (connected_)
        startRun();
}

void PositionAccuracyWindow::sentenceDecoded(const std::string& type, const std::string& sentence)
{
    lab_.sentenceDecoded(type, sentence);
}

void PositionAccuracyWindow::receiveTickEnded()
{
    if (lab_.running() && lab_.survey().refreshIfDue(clock().nowMs()))
        showRefresh();
}

void PositionAccuracyWindow::recordingEnded()
{
    if (!lab_.running())
        return;
    lab_.survey().refresh();
    showRefresh();
}

void PositionAccuracyWindow::showFigures()
{
    const SurveyFigures& figures = lab_.survey().figures();
    figures_->showFigures(runFigureList(lab_));
    std::string systems;
    for (const std::string& line : systemSummaryLines(lab_.signalSummary()))
        systems += (systems.empty() ? "" : "\n") + line;
    lb_systems->setText(QString::fromStdString(systems));
    chart_scatter->setAccessibleDescription(QString::fromStdString(scatterDescription(figures)));
}

void PositionAccuracyWindow::showRefresh()
{
    showFigures();
    chart_scatter->surveyRefreshed();
    chart_errors->surveyRefreshed();
}

void PositionAccuracyWindow::referenceChosen()
{
    Survey& survey = lab_.survey();
    if (reference_->meanChosen()) {
        survey.useMeanReference();
    } else {
        std::string error;
        const auto point = reference_->fixedPoint(error);
        if (!point) {
            reference_->showProblem(error);
            reference_->showMode(survey.referenceMode());
            return;
        }
        survey.useFixedReference(*point);
    }
    referenceChanged();
}

void PositionAccuracyWindow::useMeanAsReference()
{
    const auto mean = lab_.survey().freezeMean();
    if (!mean) {
        reference_->showProblem(kNoFixYet);
        return;
    }
    reference_->showPoint(*mean);
    reference_->showMode(ReferenceMode::Fixed);
    referenceChanged();
}

// Shown at once, not at the next second: every fix is measured from the new reference.
void PositionAccuracyWindow::referenceChanged()
{
    reference_->showProblem({});
    lab_.survey().refresh();
    chart_scatter->forget();
    chart_errors->forget();
    showRefresh();
}

void PositionAccuracyWindow::bt_zoominClick()
{
    chart_scatter->zoomIn();
}

void PositionAccuracyWindow::bt_zoomoutClick()
{
    chart_scatter->zoomOut();
}

void PositionAccuracyWindow::bt_fitClick()
{
    chart_scatter->fit();
}

void PositionAccuracyWindow::csvFailed(const std::string& message)
{
    lb_csvfile->setText(QString::fromStdString(message));
}

} // namespace norvane
