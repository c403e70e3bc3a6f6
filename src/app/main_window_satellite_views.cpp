// The main window's satellite views: the SNR chart, the sky plot and the hooks of the
// view-point window.

#include "app/Mpgs.h"
#include "app/error_box.h"
#include "view/satellite_description.h"
#include "view/shown_satellites.h"
#include "view/snr_bars.h"
#include "view/system_marks.h"
#include "view/ui/Vp.h"
#include "view/ui/deferred_repaint.h"
#include "view/ui/rgb_colour.h"
#include "view/ui/sky_drawing.h"
#include "view/ui/sky_picture.h"
#include "view/ui/snr_chart.h"

#include <QLineEdit>
#include <QPushButton>

namespace norvane {

namespace {

ChartBar toChartBar(const SnrBar& bar)
{
    return {static_cast<double>(bar.x),
            static_cast<double>(bar.height),
            QString::fromStdString(bar.label),
            toQColor(bar.colour),
            bar.bandPlace,
            bandPatternOf(bar.band)};
}

// The bands' legend, for receivers heard on more than one.
QVector<BandKey> bandKeys(const std::vector<Band>& bands)
{
    QVector<BandKey> keys;
    for (const Band band : bands)
        keys.push_back(
            {QString::fromLatin1(bandName(band).data(), bandName(band).size()), bandPatternOf(band)});
    return keys;
}

} // namespace

void Tgpsw::updateSnrChart()
{
    ReceiverState& state = records_.receiver.state;
    // The statuses set here are the ones the sky plot colours by, right after.
    markUsedSatellites(state);
    const SatelliteShowing showing = shownSatellites(state);
    const SnrBars bars = snrBars(showing);
    Chart1->clearBars();
    Chart1->setThinCrowdedLabels(!showing.tableOrder);
    Chart1->setBands(bandKeys(bars.bands));
    for (const SnrBar& bar : bars.bars)
        Chart1->addBar(toChartBar(bar));
    Chart1->setAccessibleDescription(QString::fromStdString(satelliteDescription(showing)));
    processEventsRepaintingLater(this);
}

void Tgpsw::drawSkyPlot()
{
    // Drawn when the window paints, from the table as it stands now; the description is the
    // screen reader's reading of the same picture.
    const QString description =
        QString::fromStdString(satelliteDescription(shownSatellites(records_.receiver.state)));
    Image1->setAccessibleDescription(description);
    Image2->setAccessibleDescription(description);
    Image1->drawLater([state = records_.receiver.state](QImage& sky) { paintSkyPlot(sky, state); });
}

void Tgpsw::drawSkyGrid()
{
    Image2->setWhiteTransparent(true);
    paintSkyGrid(Image2->picture());
    paintEmptySky(Image1->picture());
    const QString description = QString::fromStdString(satelliteDescription({}));
    Image1->setAccessibleDescription(description);
    Image2->setAccessibleDescription(description);
    Image2->update();
    Image1->update();
}

bool Tgpsw::viewPointVisible()
{
    return viewp_ != nullptr && viewp_->isVisible();
}

void Tgpsw::plotViewPoint()
{
    if (viewp_ == nullptr)
        return;
    viewp_->plotViewPoint(td_lati_sat->text(), td_longi_sat->text(), records_.receiver.state.latitude,
                          records_.receiver.state.longitude);
}

void Tgpsw::bt_pointClick()
{
    if (viewp_ == nullptr)
        return;
    if (bt_point->text() == QStringLiteral("View point")) {
        bt_point->setText(QStringLiteral("Off point"));
        viewp_->show();
    } else {
        bt_point->setText(QStringLiteral("View point"));
        viewp_->hide();
    }
}

void Tgpsw::connectViewPointWindow()
{
    // bt_point is wired with the other buttons; what is left is to let its caption tell the
    // state of the window it has just been given, and to open the accuracy window from it.
    if (viewp_ == nullptr)
        return;
    bt_point->setText(viewp_->isVisible() ? QStringLiteral("Off point") : QStringLiteral("View point"));
    connect(viewp_, &Tviewp::accuracyClicked, this, [this] { runGuarded([&] { showAccuracyWindow(); }); });
}

} // namespace norvane
