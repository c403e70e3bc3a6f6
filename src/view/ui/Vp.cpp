#include "view/ui/Vp.h"

#include "view/ui/point_chart.h"
#include "view/view_point_plot.h"

#include <QCloseEvent>
#include <QFrame>
#include <QPushButton>

namespace norvane {

namespace {

constexpr int kBevelHeight = 41;

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, QRect place)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    return button;
}

} // namespace

Tviewp::Tviewp(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("viewp"));
    setWindowTitle(QStringLiteral("viewp"));
    setMaximumSize(417, 400);
    resize(417, 344);
    move(409, 527);
    createControls();
    connectHandlers();
    FormCreate();
}

void Tviewp::createControls()
{
    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::Panel);
    Bevel1->setFrameShadow(QFrame::Raised);
    Bevel1->setGeometry(0, 0, width(), kBevelHeight);

    Button1 = makeButton(this, "Button1", QStringLiteral("Zoom --"), QRect(8, 8, 75, 25));
    Button2 = makeButton(this, "Button2", QStringLiteral("Zoom +"), QRect(88, 8, 75, 25));
    Button3 = makeButton(this, "Button3", QStringLiteral("Clear point"), QRect(240, 8, 75, 25));
    // The way from the positions in arc-minutes to the survey of the same fixes in metres.
    bt_accuracy = makeButton(this, "bt_accuracy", QStringLiteral("Accuracy"), QRect(320, 8, 75, 25));

    Chart1 = new PointChart(this);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    Chart1->setGeometry(0, 37, 392, 271);
}

void Tviewp::connectHandlers()
{
    connect(Button1, &QPushButton::clicked, this, &Tviewp::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &Tviewp::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &Tviewp::Button3Click);
    connect(bt_accuracy, &QPushButton::clicked, this, &Tviewp::accuracyClicked);
}

void Tviewp::resizeEvent(QResizeEvent* event)
{
    // Aligned to the top: the bevel follows the window's width.
    Bevel1->setGeometry(0, 0, width(), kBevelHeight);
    QWidget::resizeEvent(event);
}

// Only bt_point shows and hides the window. A close from the window manager (Alt+F4, or a
// close button some desktops add to tool windows anyway) would leave bt_point reading
// "Off point" over a hidden window, so it is refused.
void Tviewp::closeEvent(QCloseEvent* event)
{
    event->ignore();
}

void Tviewp::FormCreate()
{
    Chart1->setAxes(kInitialViewAxes);
}

void Tviewp::plotViewPoint(const QString& latitudeText, const QString& longitudeText, double latitude,
                           double longitude)
{
    if (!viewPointPlottable(latitude, longitude))
        return;
    Chart1->setTitle(QStringLiteral("(") + latitudeText + QStringLiteral(",") + longitudeText +
                     QStringLiteral(")"));
    Chart1->setPointerSize(2, 2);
    ViewAxes axes = Chart1->axes();
    addViewPoint(Chart1->series(), axes, latitude, longitude);
    Chart1->setAxes(axes);
    Chart1->repaint();
}

void Tviewp::Button1Click()
{
    Chart1->setAxes(zoomedOut(Chart1->axes()));
}

void Tviewp::Button2Click()
{
    Chart1->setAxes(zoomedIn(Chart1->axes()));
}

void Tviewp::Button3Click()
{
    Chart1->series().clear();
    Chart1->update();
}

} // namespace norvane
