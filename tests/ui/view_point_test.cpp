// The view-point window: its controls, the plot of positions as the receive loop adds them, the
// zoom and clear buttons, and bt_point in the main window that shows and hides it.

#include "app/Mpgs.h"
#include "control/ui/Testgps.h"
#include "support/fake_port_backend.h"
#include "support/nmea_sentence.h"
#include "ui/support/controls.h"
#include "ui/support/scripted_message_boxes.h"
#include "ui/support/ui_test_main.h"
#include "view/ui/Vp.h"
#include "view/ui/point_chart.h"

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <limits>

using namespace norvane;

namespace {

const QColor kPositionBlue(0, 0, 0xFF);

void verifyLimits(const AxisLimits& limits, double minimum, double maximum)
{
    QVERIFY2(qAbs(limits.minimum - minimum) < 1e-6, qPrintable(QString::number(limits.minimum, 'f', 6)));
    QVERIFY2(qAbs(limits.maximum - maximum) < 1e-6, qPrintable(QString::number(limits.maximum, 'f', 6)));
}

void setSpans(Tviewp& viewp, double bottom, double left)
{
    uitest::control<PointChart>(viewp, "Chart1")->setAxes({{100, 100 + bottom}, {-50, -50 + left}});
}

} // namespace

class ViewPointTest : public QObject {
    Q_OBJECT

private slots:
    void windowFollowsItsDesign();
    void firstPlotCentresOnThePosition();
    void pointsAreDrawnAsSmallBlueCircles();
    void zoomButtonsMoveEachEndByEight();
    void clearPointKeepsLimitsAndTitle();
    void closingFromOutsideIsRefused();
    void btPointShowsAndHidesTheWindow();
    void mainWindowPlotsFromTheFixPanel();
    void shownWindowSurvivesACorruptLatitude();
};

void ViewPointTest::windowFollowsItsDesign()
{
    Tviewp viewp;
    QCOMPARE(viewp.objectName(), QString("viewp"));
    QCOMPARE(viewp.windowTitle(), QString("viewp"));
    QCOMPARE(viewp.size(), QSize(417, 344));
    QCOMPARE(viewp.pos(), QPoint(409, 527));
    QCOMPARE(viewp.minimumSize(), QSize(417, 344)); // never smaller, but it may grow
    const Qt::WindowFlags flags = viewp.windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(flags & Qt::CustomizeWindowHint);
    QVERIFY(!(flags & Qt::WindowCloseButtonHint));
    QVERIFY(viewp.isHidden());

    struct Row {
        const char* name;
        const char* text;
        QRect place;
    };
    const Row buttons[] = {
        {"Button1", "Zoom --", {8, 8, 75, 25}},
        {"Button2", "Zoom +", {88, 8, 75, 25}},
        {"Button3", "Clear point", {240, 8, 75, 25}},
        {"bt_accuracy", "Accuracy", {320, 8, 75, 25}},
    };
    for (const Row& row : buttons) {
        auto* button = viewp.findChild<QPushButton*>(row.name);
        QVERIFY2(button, row.name);
        QCOMPARE(button->text(), QString(row.text));
        QCOMPARE(button->geometry(), row.place);
    }
    auto* bevel = viewp.findChild<QFrame*>("Bevel1");
    QVERIFY(bevel);
    QCOMPARE(bevel->geometry(), QRect(0, 0, viewp.width(), 41));
    auto* chart = viewp.findChild<PointChart*>("Chart1");
    QVERIFY(chart);
    QCOMPARE(chart->geometry(), QRect(0, 37, 392, 271));
    // Enlarged, the bevel stays aligned to the top and the chart takes the room; not smaller.
    viewp.show();
    viewp.resize(600, 500);
    QTRY_COMPARE(bevel->geometry(), QRect(0, 0, 600, 41));
    QCOMPARE(chart->geometry(), QRect(0, 37, 392 + 183, 271 + 156));
    viewp.resize(300, 300);
    QTRY_COMPARE(viewp.size(), QSize(417, 344));
    QCOMPARE(chart->geometry(), QRect(0, 37, 392, 271));
    QCOMPARE(chart->title(), QString("TChart"));
    QCOMPARE(chart->series().count(), std::size_t{0});
    verifyLimits(chart->axes().bottom, -1024, 1024);
    verifyLimits(chart->axes().left, -1024, 1024);
}

void ViewPointTest::firstPlotCentresOnThePosition()
{
    Tviewp viewp;
    viewp.plotViewPoint("2459.2057N", "12130.1234E", 2459.2057, 12130.1234);
    QCOMPARE(uitest::control<PointChart>(viewp, "Chart1")->title(), QString("(2459.2057N,12130.1234E)"));
    verifyLimits(uitest::control<PointChart>(viewp, "Chart1")->axes().bottom, 120277.234, 122325.234);
    verifyLimits(uitest::control<PointChart>(viewp, "Chart1")->axes().left, 23568.057, 25616.057);
    QCOMPARE(uitest::control<PointChart>(viewp, "Chart1")->series().count(), std::size_t{1});

    Tviewp unknown;
    unknown.plotViewPoint("", "", 0, 0);
    QCOMPARE(uitest::control<PointChart>(unknown, "Chart1")->title(), QString("(,)"));
    verifyLimits(uitest::control<PointChart>(unknown, "Chart1")->axes().bottom, -1024, 1024);
}

void ViewPointTest::pointsAreDrawnAsSmallBlueCircles()
{
    Tviewp viewp;
    viewp.plotViewPoint("a", "b", 2459.2057, 12130.1234);
    const QPointF centre = uitest::control<PointChart>(viewp, "Chart1")
                               ->pixelOf(uitest::control<PointChart>(viewp, "Chart1")->series().points()[0]);
    const QRect wall = uitest::control<PointChart>(viewp, "Chart1")->backWall();
    QVERIFY(qAbs(centre.x() - (wall.left() + wall.right()) / 2.0) < 1); // the newest point is centred
    QVERIFY(qAbs(centre.y() - (wall.top() + wall.bottom()) / 2.0) < 1);

    const QImage image = uitest::control<PointChart>(viewp, "Chart1")->grab().toImage();
    const QPoint c = centre.toPoint();
    for (const QPoint offset : {QPoint(0, 0), QPoint(-2, 0), QPoint(2, 0), QPoint(0, -2), QPoint(0, 2)})
        QCOMPARE(image.pixelColor(c + offset).toRgb(), kPositionBlue);
    for (const QPoint offset : {QPoint(-4, 0), QPoint(4, 0), QPoint(0, -4), QPoint(0, 4)})
        QVERIFY(image.pixelColor(c + offset).toRgb() != kPositionBlue);
    // Numbered axes: something is written left of and below the wall.
    int dark = 0;
    for (int y = wall.top(); y <= wall.bottom(); ++y)
        for (int x = 0; x < wall.left() - 4; ++x)
            dark += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
    QVERIFY(dark > 20);
}

void ViewPointTest::zoomButtonsMoveEachEndByEight()
{
    Tviewp viewp;
    uitest::control<QPushButton>(viewp, "Button2")->click();
    verifyLimits(uitest::control<PointChart>(viewp, "Chart1")->axes().bottom, -1016, 1016);
    verifyLimits(uitest::control<PointChart>(viewp, "Chart1")->axes().left, -1016, 1016);
    uitest::control<QPushButton>(viewp, "Button1")->click();
    uitest::control<QPushButton>(viewp, "Button1")->click();
    verifyLimits(uitest::control<PointChart>(viewp, "Chart1")->axes().bottom, -1032, 1032);
    verifyLimits(uitest::control<PointChart>(viewp, "Chart1")->axes().left, -1032, 1032);

    // The span the zoom left is the one the next point keeps.
    viewp.plotViewPoint("", "", 1, 2);
    verifyLimits(uitest::control<PointChart>(viewp, "Chart1")->axes().bottom, 20 - 1032, 20 + 1032);
    verifyLimits(uitest::control<PointChart>(viewp, "Chart1")->axes().left, 10 - 1032, 10 + 1032);

    // At spans of 16 "Zoom +" does nothing; one narrow axis holds back both.
    setSpans(viewp, 16, 16);
    uitest::control<QPushButton>(viewp, "Button2")->click();
    verifyLimits(uitest::control<PointChart>(viewp, "Chart1")->axes().bottom, 100, 116);
    setSpans(viewp, 20, 16);
    uitest::control<QPushButton>(viewp, "Button2")->click();
    verifyLimits(uitest::control<PointChart>(viewp, "Chart1")->axes().bottom, 100, 120);
    verifyLimits(uitest::control<PointChart>(viewp, "Chart1")->axes().left, -50, -34);
}

void ViewPointTest::clearPointKeepsLimitsAndTitle()
{
    Tviewp viewp;
    viewp.plotViewPoint("N", "E", 10, 20);
    viewp.plotViewPoint("N", "E", 11, 21);
    const ViewAxes before = uitest::control<PointChart>(viewp, "Chart1")->axes();
    uitest::control<QPushButton>(viewp, "Button3")->click();
    QCOMPARE(uitest::control<PointChart>(viewp, "Chart1")->series().count(), std::size_t{0});
    QCOMPARE(uitest::control<PointChart>(viewp, "Chart1")->title(), QString("(N,E)"));
    verifyLimits(uitest::control<PointChart>(viewp, "Chart1")->axes().bottom, before.bottom.minimum,
                 before.bottom.maximum);

    // The first point after clearing re-centres with the span then in force.
    viewp.plotViewPoint("N", "E", 0, 5);
    QCOMPARE(uitest::control<PointChart>(viewp, "Chart1")->series().count(), std::size_t{1});
    verifyLimits(uitest::control<PointChart>(viewp, "Chart1")->axes().bottom, 50 - 1024, 50 + 1024);
}

void ViewPointTest::closingFromOutsideIsRefused()
{
    Tviewp viewp;
    viewp.show();
    QVERIFY(!viewp.close());
    QVERIFY(viewp.isVisible());
}

void ViewPointTest::btPointShowsAndHidesTheWindow()
{
    uitest::ScriptedMessageBoxes boxes;
    ProgramRecords records;
    Tgpsw gpsw(records);
    Tviewp viewp;
    TFtest ftest;
    gpsw.attachWindows(&viewp, &ftest);
    QCOMPARE(uitest::control<QPushButton>(gpsw, "bt_point")->text(), QString("View point"));
    QVERIFY(!gpsw.viewPointVisible());

    uitest::control<QPushButton>(gpsw, "bt_point")->setEnabled(true); // the idle layout disables it
    uitest::control<QPushButton>(gpsw, "bt_point")->click();
    QCOMPARE(uitest::control<QPushButton>(gpsw, "bt_point")->text(), QString("Off point"));
    QVERIFY(viewp.isVisible());
    QVERIFY(gpsw.viewPointVisible());

    uitest::control<QPushButton>(gpsw, "bt_point")->click();
    QCOMPARE(uitest::control<QPushButton>(gpsw, "bt_point")->text(), QString("View point"));
    QVERIFY(viewp.isHidden());
    QVERIFY(!gpsw.viewPointVisible());
}

void ViewPointTest::mainWindowPlotsFromTheFixPanel()
{
    uitest::ScriptedMessageBoxes boxes;
    ProgramRecords records;
    Tgpsw gpsw(records);
    Tviewp viewp;
    TFtest ftest;
    gpsw.attachWindows(&viewp, &ftest);
    uitest::control<QLineEdit>(gpsw, "td_lati_sat")->setText("24 59.2057N");
    uitest::control<QLineEdit>(gpsw, "td_longi_sat")->setText("121 30.1234E");
    records.receiver.state.latitude = 2459.2057;
    records.receiver.state.longitude = 12130.1234;
    gpsw.plotViewPoint();

    QCOMPARE(uitest::control<PointChart>(viewp, "Chart1")->title(), QString("(24 59.2057N,121 30.1234E)"));
    QCOMPARE(uitest::control<PointChart>(viewp, "Chart1")->series().count(), std::size_t{1});
    verifyLimits(uitest::control<PointChart>(viewp, "Chart1")->axes().bottom, 120277.234, 122325.234);
    verifyLimits(uitest::control<PointChart>(viewp, "Chart1")->axes().left, 23568.057, 25616.057);
}

// One checksum-valid sentence with a latitude of 5e17 reaches the shown window through the
// receive loop; painting its axes must end. Positions that are not finite are not plotted.
void ViewPointTest::shownWindowSurvivesACorruptLatitude()
{
    uitest::ScriptedMessageBoxes boxes;
    ProgramRecords records;
    auto backend = std::make_unique<FakePortBackend>();
    FakePortBackend* port = backend.get();
    records.link = SerialLink(std::move(backend));
    Tgpsw gpsw(records);
    Tviewp viewp;
    TFtest ftest;
    gpsw.attachWindows(&viewp, &ftest);
    uitest::control<QPushButton>(gpsw, "btStart")->click();
    uitest::control<QTimer>(gpsw, "Timer1")->stop();
    gpsw.bt_pointClick();
    QVERIFY(viewp.isVisible());

    const auto fix = [](const std::string& latitude) {
        return test::nmeaLine("GPGGA,120011.000," + latitude + ",N,12130.1234,E,1,04,1.0,56.3,M,15.2,M,,") +
               test::nmeaLine("GPRMC,120011.000,A," + latitude + ",N,12130.1234,E,0.00,0.00,191007,,,A");
    };
    port->pushIncoming(fix("2459.2057") + fix("500000000000000000.0000") + "$");
    gpsw.Timer1Timer();
    viewp.repaint();
    auto* chart = uitest::control<PointChart>(viewp, "Chart1");
    QCOMPARE(chart->series().count(), std::size_t{2});
    QCOMPARE(chart->series().points().back().y, 5e18);

    const ViewAxes before = chart->axes();
    const double inf = std::numeric_limits<double>::infinity();
    for (const double latitude : {inf, -inf, std::numeric_limits<double>::quiet_NaN(), 1e300})
        viewp.plotViewPoint("x", "y", latitude, 12130.1234);
    viewp.repaint();
    QCOMPARE(chart->series().count(), std::size_t{2});
    QCOMPARE(chart->axes().left.minimum, before.left.minimum);
}

NORVANE_UI_TEST_MAIN(ViewPointTest)
#include "view_point_test.moc"
