// The sky plot and the SNR chart: pictures drawn from the receiver state checked pixel by pixel,
// the two sky layers stacked as the main window stacks them, the main window's update of both,
// and, when the simulator can be started, the satellites it reports after Start.

#include "app/Mpgs.h"
#include "control/ui/Testgps.h"
#include "sim/simulator.h"
#include "ui/support/controls.h"
#include "ui/support/scripted_message_boxes.h"
#include "ui/support/simulator_on_com3.h"
#include "ui/support/ui_test_main.h"
#include "view/sky_geometry.h"
#include "view/ui/Vp.h"
#include "view/ui/sky_drawing.h"
#include "view/ui/sky_picture.h"
#include "view/ui/snr_chart.h"

#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <cmath>
#include <numbers>
#include <vector>

using namespace norvane;

namespace {

const QColor kSkyBlueColour(0xA6, 0xCA, 0xF0);
const QColor kInViewBlue(0, 0, 0xFF);
const QColor kSilverColour(0xC0, 0xC0, 0xC0);
const QColor kRedColour(0xFF, 0, 0);
const QColor kBlackColour(0, 0, 0);
const QColor kWhiteColour(0xFF, 0xFF, 0xFF);

struct ShownSatellite {
    int prn;
    int elevation;
    int azimuth;
    int snr;
    int status = kSatInView;
};

void fillTable(ReceiverState& state, const std::vector<ShownSatellite>& satellites,
               const std::vector<int>& used = {})
{
    state.sats_in_view = static_cast<int>(satellites.size());
    for (std::size_t i = 0; i < satellites.size(); ++i) {
        state.sat_prn[i] = satellites[i].prn;
        state.sat_elevation[i] = satellites[i].elevation;
        state.sat_azimuth[i] = satellites[i].azimuth;
        state.sat_snr[i] = satellites[i].snr;
        state.sat_status[i] = satellites[i].status;
    }
    for (std::size_t slot = 0; slot < used.size(); ++slot)
        state.used_prns[slot] = used[slot];
}

ReceiverState tableOf(const std::vector<ShownSatellite>& satellites)
{
    ReceiverState state;
    fillTable(state, satellites);
    return state;
}

QColor pixel(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y).toRgb();
}

int countOf(const QImage& image, const QRect& area, const QColor& colour)
{
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += pixel(image, x, y) == colour ? 1 : 0;
    return count;
}

int darkCount(const QImage& image, const QRect& area)
{
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
    return count;
}

// The four points 7 or 8 pixels from the centre that no label reaches: left of it, above and
// below the label box.
void verifyDiscFill(const QImage& image, QPoint centre, const QColor& fill)
{
    QCOMPARE(pixel(image, centre.x() - 7, centre.y()), fill);
    QCOMPARE(pixel(image, centre.x() - 6, centre.y() - 5), fill);
    QCOMPARE(pixel(image, centre.x(), centre.y() - 8), fill);
    QCOMPARE(pixel(image, centre.x() - 1, centre.y() + 8), fill);
}

QImage blankPicture()
{
    QImage picture(201, 209, QImage::Format_RGB32);
    picture.fill(Qt::white);
    return picture;
}

// The two layers as the main window holds them: the grid layer over the sky layer.
struct StackedLayers {
    StackedLayers()
    {
        host.resize(201, 209);
        sky.move(0, 0);
        grid.move(0, 0);
        grid.setWhiteTransparent(true);
        grid.raise();
        paintSkyGrid(grid.picture());
    }
    QImage shown() { return host.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    QWidget host;
    SkyPicture sky{&host};
    SkyPicture grid{&host};
};

} // namespace

class SatelliteViewsTest : public QObject {
    Q_OBJECT

private slots:
    void gridLayerHasRingsCrossAndLetters();
    void discsStandWhereTheirElevationAndAzimuthPutThem();
    void discColoursFollowTheStatus();
    void laterEntriesCoverEarlierOnes();
    void emptyTableLeavesOnlyTheSky();
    void gridStaysOnTopAndItsWhiteIsSeeThrough();
    void snrBarsAreColouredOutlinedAndMarked();
    void tallestBarSetsTheValueRange();
    void mainWindowMarksUsedSatellitesForBothViews();
    void mainWindowCountZeroEmptiesBothViews();
    void resetClearsBarsAndSky();
    void simulatorSatellitesAppearAfterStart();
};

void SatelliteViewsTest::gridLayerHasRingsCrossAndLetters()
{
    QImage grid = blankPicture();
    grid.fill(Qt::red); // whatever was there before is replaced
    paintSkyGrid(grid);

    QCOMPARE(pixel(grid, 0, 0), kBlackColour);
    QCOMPARE(pixel(grid, 200, 200), kBlackColour);
    QCOMPARE(pixel(grid, 100, 0), kBlackColour);
    QCOMPARE(pixel(grid, 30, 170), kWhiteColour);
    QCOMPARE(pixel(grid, 100, 205), kWhiteColour); // below the square the layer stays clear

    // The horizon ring (radius 76) and the 45-degree ring (radius 53), away from the cross:
    // dark on the ring, white three pixels inside and outside it.
    const auto at = [](int radius, double degrees) {
        const double a = degrees * std::numbers::pi / 180;
        return QPoint(100 + qRound(radius * std::cos(a)), 100 + qRound(radius * std::sin(a)));
    };
    for (const double degrees : {30.0, 120.0, 210.0, 300.0}) {
        for (const int radius : {76, 53}) {
            const QPoint onRing = at(radius, degrees);
            QVERIFY(darkCount(grid, QRect(onRing - QPoint(1, 1), QSize(3, 3))) > 0);
            QCOMPARE(pixel(grid, at(radius - 3, degrees).x(), at(radius - 3, degrees).y()), kWhiteColour);
            QCOMPARE(pixel(grid, at(radius + 3, degrees).x(), at(radius + 3, degrees).y()), kWhiteColour);
        }
    }

    // The cross, one pixel wide, through the centre.
    for (int t = 21; t <= 179; ++t) {
        QCOMPARE(pixel(grid, t, 100), kBlackColour);
        QCOMPARE(pixel(grid, 100, t), kBlackColour);
    }
    QCOMPARE(pixel(grid, 60, 99), kWhiteColour);
    QCOMPARE(pixel(grid, 60, 101), kWhiteColour);
    QCOMPARE(pixel(grid, 99, 60), kWhiteColour);

    // The compass letters in black at their corners.
    QVERIFY(darkCount(grid, QRect(10, 94, 10, 12)) > 5);  // W
    QVERIFY(darkCount(grid, QRect(181, 94, 10, 12)) > 5); // E, right of the cross
    QVERIFY(darkCount(grid, QRect(101, 180, 8, 12)) > 3); // S, right of the vertical line
    QVERIFY(darkCount(grid, QRect(101, 9, 8, 11)) > 3);   // N
    QCOMPARE(darkCount(grid, QRect(2, 2, 8, 8)), 0);
}

void SatelliteViewsTest::discsStandWhereTheirElevationAndAzimuthPutThem()
{
    QImage sky = blankPicture();
    paintSkyPlot(sky, tableOf({{12, 60, 30, 40, kSatUsed}, {7, 30, 200, 35, kSatUsed}}));

    verifyDiscFill(sky, QPoint(118, 67), kInViewBlue);
    verifyDiscFill(sky, QPoint(77, 161), kInViewBlue);
    // Radius 9: the outline at 9, the sky two pixels further out.
    QCOMPARE(pixel(sky, 118 - 9, 67), kBlackColour);
    QCOMPARE(pixel(sky, 118, 67 + 9), kBlackColour);
    QCOMPARE(pixel(sky, 118 - 11, 67), kSkyBlueColour);
    QCOMPARE(pixel(sky, 118, 67 - 11), kSkyBlueColour);
    QCOMPARE(pixel(sky, 77 + 11, 161), kSkyBlueColour);

    // The numbers, white on blue: "12" from x - 5, "7" from x - 2; both from y - 7.
    QVERIFY(countOf(sky, QRect(113, 60, 12, 13), kWhiteColour) > 5);
    QCOMPARE(countOf(sky, QRect(109, 60, 4, 13), kWhiteColour), 0);
    QVERIFY(countOf(sky, QRect(75, 154, 8, 13), kWhiteColour) > 3);
    QCOMPARE(countOf(sky, QRect(69, 154, 6, 13), kWhiteColour), 0);
}

void SatelliteViewsTest::discColoursFollowTheStatus()
{
    QImage sky = blankPicture();
    paintSkyPlot(sky, tableOf({{3, 60, 30, 0, kSatUsedWithoutSignal}, {15, 30, 200, 33, kSatInView}}));

    verifyDiscFill(sky, QPoint(118, 67), kSilverColour);
    QVERIFY(countOf(sky, QRect(116, 60, 8, 13), kRedColour) > 3);
    QCOMPARE(countOf(sky, QRect(116, 60, 8, 13), kWhiteColour), 0);

    verifyDiscFill(sky, QPoint(77, 161), kWhiteColour);
    QVERIFY(countOf(sky, QRect(72, 154, 14, 13), kBlackColour) > 5);
    QCOMPARE(pixel(sky, 77 - 9, 161), kBlackColour); // a white disc keeps its black outline
}

void SatelliteViewsTest::laterEntriesCoverEarlierOnes()
{
    QImage sky = blankPicture();
    paintSkyPlot(sky, tableOf({{4, 0, 0, 30, kSatInView}, {9, 0, 0, 30, kSatUsed}}));
    verifyDiscFill(sky, QPoint(100, 25), kInViewBlue);
    QVERIFY(countOf(sky, QRect(90, 15, 21, 21), kWhiteColour) > 0); // the later label

    paintSkyPlot(sky, tableOf({{9, 0, 0, 30, kSatUsed}, {4, 0, 0, 30, kSatInView}}));
    verifyDiscFill(sky, QPoint(100, 25), kWhiteColour);
    QCOMPARE(countOf(sky, QRect(90, 15, 21, 21), kInViewBlue), 0);
}

void SatelliteViewsTest::emptyTableLeavesOnlyTheSky()
{
    QImage sky = blankPicture();
    paintSkyPlot(sky, tableOf({{12, 60, 30, 40, kSatUsed}}));
    ReceiverState none = tableOf({{12, 60, 30, 40, kSatUsed}});
    none.sats_in_view = 0;
    paintSkyPlot(sky, none);

    QCOMPARE(pixel(sky, 0, 0), kBlackColour);
    QCOMPARE(pixel(sky, 200, 100), kBlackColour);
    QCOMPARE(countOf(sky, QRect(1, 1, 199, 199), kSkyBlueColour), 199 * 199);
}

void SatelliteViewsTest::gridStaysOnTopAndItsWhiteIsSeeThrough()
{
    StackedLayers layers;
    paintSkyPlot(layers.sky.picture(), tableOf({{5, 90, 0, 44, kSatUsed}, {21, 45, 0, 30, kSatUsed}}));
    const QImage shown = layers.shown();

    QCOMPARE(pixel(shown, 30, 40), kSkyBlueColour); // the grid's white shows the sky
    QCOMPARE(pixel(shown, 94, 96), kInViewBlue);    // the disc at the zenith shows beside the cross
    QCOMPARE(pixel(shown, 100, 95), kBlackColour);  // the vertical line runs over the disc
    QCOMPARE(pixel(shown, 93, 100), kBlackColour);  // the horizontal line runs over the disc
    QVERIFY(countOf(shown, QRect(92, 46, 3, 3), kBlackColour) > 0); // the 45-degree ring over PRN 21
    QVERIFY(darkCount(shown, QRect(101, 9, 8, 11)) > 3);            // N stays black
}

void SatelliteViewsTest::snrBarsAreColouredOutlinedAndMarked()
{
    SnrChart chart;
    chart.resize(430, 137);
    chart.addBar({1, 30, "30", kInViewBlue});
    chart.addBar({2, 20, "2", kWhiteColour});
    chart.addBar({3, 0, "12", kSilverColour});
    QCOMPARE(chart.title(), QString("SNR"));
    const QImage image = chart.grab().toImage();

    const QRect wall = chart.backWall();
    QCOMPARE(pixel(image, wall.left() + 4, wall.top() + 3), kWhiteColour); // flat white back wall

    int previousRight = wall.left();
    for (int i = 0; i < 3; ++i) {
        const QRect bar = chart.barRect(i);
        QVERIFY(bar.left() > previousRight);
        previousRight = bar.right();
        QVERIFY2(darkCount(image, QRect(bar.left() - 10, wall.bottom() + 2, bar.width() + 20, 14)) > 0,
                 "the PRN under the bar");
        QVERIFY2(darkCount(image, chart.markRect(i).adjusted(1, 1, -1, -1)) > 0, "the value mark");
        QVERIFY(chart.markRect(i).bottom() < bar.top());
    }
    const QRect blue = chart.barRect(0);
    QCOMPARE(pixel(image, blue.center().x(), blue.center().y()), kInViewBlue);
    const QRect white = chart.barRect(1);
    QCOMPARE(pixel(image, white.center().x(), white.center().y()), kWhiteColour);
    QCOMPARE(pixel(image, white.left(), white.center().y()), kBlackColour); // outlined on the white wall
    QCOMPARE(pixel(image, white.center().x(), white.top()), kBlackColour);
    QVERIFY(white.height() < blue.height());
    QVERIFY(chart.barRect(2).height() <= 1); // height 0 lies on the base line

    chart.clearBars();
    QVERIFY(chart.bars().isEmpty());
    QVERIFY(chart.barRect(0).isNull());
}

void SatelliteViewsTest::tallestBarSetsTheValueRange()
{
    SnrChart chart;
    chart.resize(430, 137);
    chart.addBar({1, 47, "1", kInViewBlue});
    chart.addBar({2, 12, "2", kInViewBlue});
    QCOMPARE(chart.valueTop(), 50.0);
    const int base = chart.barRect(0).bottom();
    const double ratio = double(base - chart.barRect(1).top()) / (base - chart.barRect(0).top());
    QVERIFY(qAbs(ratio - 12.0 / 47.0) < 0.03);
    QVERIFY(chart.markRect(0).top() >= chart.backWall().top());

    chart.addBar({3, 80, "3", kInViewBlue});
    QCOMPARE(chart.valueTop(), 80.0);
    QVERIFY(chart.markRect(2).top() >= chart.backWall().top());
}

void SatelliteViewsTest::mainWindowMarksUsedSatellitesForBothViews()
{
    uitest::ScriptedMessageBoxes boxes;
    ProgramRecords records;
    Tgpsw gpsw(records);
    fillTable(records.receiver.state,
              {{30, 60, 30, 38},
               {2, 50, 60, 20},
               {12, 70, 200, 44},
               {25, 20, 300, 0},
               {5, 30, 200, 0},
               {0, 10, 10, 29}},
              {5, 12, 30});
    gpsw.updateSnrChart();
    gpsw.drawSkyPlot();

    const QStringList labels{"30", "2", "12", "25", "5", "0"};
    const std::vector<QColor> colours{kInViewBlue,  kWhiteColour,  kInViewBlue,
                                      kWhiteColour, kSilverColour, kWhiteColour};
    const auto& bars = uitest::control<SnrChart>(gpsw, "Chart1")->bars();
    QCOMPARE(bars.size(), 6);
    for (int i = 0; i < bars.size(); ++i) {
        QCOMPARE(bars[i].x, double(i + 1));
        QCOMPARE(bars[i].label, labels[i]);
        QCOMPARE(bars[i].color, colours[i]);
        QCOMPARE(bars[i].height, double(records.receiver.state.sat_snr[i]));
    }
    QCOMPARE(records.receiver.state.sat_status[5], kSatInView); // PRN 0 is never used

    // The sky plot colours by the statuses the chart update has just set.
    const QImage& sky = uitest::control<SkyPicture>(gpsw, "Image1")->picture();
    verifyDiscFill(sky, QPoint(118, 67), kInViewBlue);
    verifyDiscFill(sky, QPoint(77, 161), kSilverColour);
    QVERIFY(countOf(sky, QRect(75, 154, 8, 13), kRedColour) > 3);

    const QImage chart = uitest::control<SnrChart>(gpsw, "Chart1")->grab().toImage();
    const QRect silver = uitest::control<SnrChart>(gpsw, "Chart1")->barRect(4);
    QVERIFY2(darkCount(chart, uitest::control<SnrChart>(gpsw, "Chart1")->markRect(4).adjusted(1, 1, -1, -1)) >
                 0,
             "mark 0 over the silver bar");
    const QRect blue = uitest::control<SnrChart>(gpsw, "Chart1")->barRect(2);
    QCOMPARE(pixel(chart, blue.center().x(), blue.center().y()), kInViewBlue);
    QVERIFY(silver.height() <= 1);
}

void SatelliteViewsTest::mainWindowCountZeroEmptiesBothViews()
{
    uitest::ScriptedMessageBoxes boxes;
    ProgramRecords records;
    Tgpsw gpsw(records);
    fillTable(records.receiver.state, {{8, 40, 40, 30}}, {8});
    gpsw.updateSnrChart();
    gpsw.drawSkyPlot();
    QCOMPARE(uitest::control<SnrChart>(gpsw, "Chart1")->bars().size(), 1);

    records.receiver.state.sats_in_view = 0;
    gpsw.updateSnrChart();
    gpsw.drawSkyPlot();
    QVERIFY(uitest::control<SnrChart>(gpsw, "Chart1")->bars().isEmpty());
    QCOMPARE(countOf(uitest::control<SkyPicture>(gpsw, "Image1")->picture(), QRect(1, 1, 199, 199),
                     kSkyBlueColour),
             199 * 199);
}

void SatelliteViewsTest::resetClearsBarsAndSky()
{
    uitest::ScriptedMessageBoxes boxes;
    ProgramRecords records;
    Tgpsw gpsw(records);
    fillTable(records.receiver.state, {{8, 40, 40, 30}, {9, 20, 90, 31}}, {8, 9});
    gpsw.updateSnrChart();
    gpsw.drawSkyPlot();
    QVERIFY(countOf(uitest::control<SkyPicture>(gpsw, "Image1")->picture(), QRect(1, 1, 199, 199),
                    kInViewBlue) > 0);

    gpsw.resetMainWindow();
    QVERIFY(uitest::control<SnrChart>(gpsw, "Chart1")->bars().isEmpty());
    QCOMPARE(countOf(uitest::control<SkyPicture>(gpsw, "Image1")->picture(), QRect(1, 1, 199, 199),
                     kSkyBlueColour),
             199 * 199);
    QVERIFY(uitest::control<SkyPicture>(gpsw, "Image2")->whiteTransparent());

    // The window as a person sees it: the grid over an empty sky at the sky plot's place.
    gpsw.show();
    const QImage shown = gpsw.grab(QRect(0, 64, 201, 209)).toImage();
    QCOMPARE(pixel(shown, 30, 40), kSkyBlueColour);
    QCOMPARE(pixel(shown, 100, 60), kBlackColour);
    QCOMPARE(pixel(shown, 0, 0), kBlackColour);
}

void SatelliteViewsTest::simulatorSatellitesAppearAfterStart()
{
    sim::SimulatorOptions options;
    uitest::SimulatorOnCom3 receiver(options);
    if (!receiver.started())
        QSKIP(qPrintable(receiver.whyNotStarted()));

    uitest::ScriptedMessageBoxes boxes;
    ProgramRecords records;
    Tgpsw gpsw(records);
    Tviewp viewp;
    TFtest ftest;
    gpsw.attachWindows(&viewp, &ftest);
    uitest::control<QComboBox>(gpsw, "cbComPort")
        ->setCurrentIndex(uitest::control<QComboBox>(gpsw, "cbComPort")->findText("  COM3"));
    uitest::control<QComboBox>(gpsw, "cbBandRate")
        ->setCurrentIndex(uitest::control<QComboBox>(gpsw, "cbBandRate")->findText("  9600"));
    gpsw.show();
    boxes.clear(); // the receiver-family question
    uitest::control<QPushButton>(gpsw, "btStart")->click();
    QCOMPARE(boxes.texts(), QStringList());
    QCOMPARE(uitest::control<QPushButton>(gpsw, "btStart")->text(), QString("Off"));

    const auto blueBars = [&] {
        int count = 0;
        for (const ChartBar& bar : uitest::control<SnrChart>(gpsw, "Chart1")->bars())
            count += bar.color == kInViewBlue ? 1 : 0;
        return count;
    };
    QTRY_VERIFY_WITH_TIMEOUT(uitest::control<SnrChart>(gpsw, "Chart1")->bars().size() >= 4 && blueBars() >= 4,
                             30000);
    uitest::control<QTimer>(gpsw, "Timer1")->stop();

    // Every bar is labelled with a PRN of the table, and the used ones stand on the sky plot.
    const ReceiverState& state = records.receiver.state;
    QStringList prns;
    for (int i = 0; i < state.sats_in_view; ++i)
        prns << QString::number(state.sat_prn[i]);
    for (const ChartBar& bar : uitest::control<SnrChart>(gpsw, "Chart1")->bars())
        QVERIFY2(prns.contains(bar.label), qPrintable(bar.label));
    const QImage shown = gpsw.grab(QRect(0, 64, 201, 209)).toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(countOf(shown, QRect(1, 1, 199, 199), kInViewBlue) > 4 * 60);
    QVERIFY(countOf(shown, QRect(1, 1, 199, 199), kSkyBlueColour) > 199 * 100);

    uitest::control<QPushButton>(gpsw, "btStart")->click();
}

NORVANE_UI_TEST_MAIN(SatelliteViewsTest)
#include "satellite_views_test.moc"
