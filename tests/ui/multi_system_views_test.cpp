// The sky plot and the SNR chart with satellites of several systems: outlines that tell the
// systems apart without colour, the legend, letter labels that never overlap, and the pictures'
// accessible descriptions.

#include "support/nmea_sentence.h"
#include "ui/support/connected_window.h"
#include "ui/support/ui_test_main.h"
#include "view/ui/sky_drawing.h"
#include "view/ui/sky_picture.h"
#include "view/ui/snr_chart.h"

#include <QtTest>

using namespace norvane;

namespace {

// Twelve satellites of a system on one signal, three GSV messages.
std::string group(const char* talker, int firstPrn, int signal)
{
    std::string lines;
    for (int m = 1; m <= 3; ++m) {
        std::string body = std::string(talker) + "GSV,3," + std::to_string(m) + ",12";
        for (int k = 0; k < 4; ++k) {
            const int i = (m - 1) * 4 + k;
            body += "," + std::to_string(firstPrn + i) + "," + std::to_string(10 + i * 6) + "," +
                    std::to_string(i * 30 + firstPrn % 7 * 4) + "," +
                    std::to_string((signal == 8 ? 20 : 30) + i);
        }
        lines += test::nmeaLine(body + "," + std::to_string(signal));
    }
    return lines;
}

int darkPixels(const QImage& image, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
    return count;
}

} // namespace

class MultiSystemViewsTest : public QObject {
    Q_OBJECT

private slots:
    void fourSystemsAreGroupedLabelledAndThinned();
    void discsOfOneSpotDifferByOutlineInGreyscale();
};

void MultiSystemViewsTest::fourSystemsAreGroupedLabelledAndThinned()
{
    uitest::ConnectedWindow w;
    w.tick(test::nmeaLine("GNGSA,A,3,1,2,3,,,,,,,,,,1.0,0.6,0.8,1") + group("GP", 1, 1) + group("GL", 65, 1) +
           group("GA", 1, 7) + group("GB", 1, 1) + group("GP", 1, 8) +
           test::nmeaLine("GNGSA,A,3,70,,,,,,,,,,,,1.0,0.6,0.8,2") + "$");
    auto* chart = uitest::control<SnrChart>(w.window, "Chart1");
    const auto& bars = chart->bars();
    // GPS on signals 1 and 8 (L1 and L5) has two bars a satellite, L1 on the left.
    QCOMPARE(bars.size(), 60);
    QCOMPARE(chart->bands().size(), 2);
    QCOMPARE(chart->bands()[1].name, QString("L5"));
    QCOMPARE(bars[0].label, QString("G01"));
    QCOMPARE(bars[0].height, 30.0);
    QCOMPARE(bars[1].label, QString("G01"));
    QCOMPARE(bars[1].height, 20.0);
    QVERIFY(bars[1].bandPlace == 1 && bars[1].pattern != bars[0].pattern);
    QCOMPARE(bars[24].label, QString("R01"));
    QCOMPARE(bars[29].label, QString("R06"));
    QCOMPARE(bars[36].label, QString("E01"));
    QCOMPARE(bars[59].label, QString("C12"));
    QCOMPARE(bars[29].color, QColor(0, 0, 0xFF));       // R06 is PRN 70, used by the GLONASS GSA
    QCOMPARE(bars[10].color, QColor(0xFF, 0xFF, 0xFF)); // G06 is not listed
    QCOMPARE(bars[11].color, QColor(0xFF, 0xFF, 0xFF)); // on either band

    // Labels every few satellites, far enough apart not to touch, and no value marks.
    const int step = chart->labelStep();
    QVERIFY(step >= 2 && step <= 3);
    const QFontMetrics metrics(chart->font());
    const int gap = chart->barRect(2 * step).center().x() - chart->barRect(0).center().x();
    QVERIFY2(gap > metrics.horizontalAdvance("C12"), qPrintable(QString::number(gap)));
    QVERIFY(!chart->showsValueMarks());

    const QString description = chart->accessibleDescription();
    QVERIFY(description.startsWith(
        "48 in view, 4 used; G01 el 10 az 4 snr L1 30 L5 20 used; G02 el 16 az 34 snr L1 31 L5 21 used"));
    QCOMPARE(uitest::control<SkyPicture>(w.window, "Image1")->accessibleDescription(), description);

    // The legend stands in the top left corner with one line per system.
    const QImage sky = uitest::control<SkyPicture>(w.window, "Image1")->picture();
    QVERIFY(darkPixels(sky, QRect(2, 2, 40, 44)) > 4 * 20);
}

void MultiSystemViewsTest::discsOfOneSpotDifferByOutlineInGreyscale()
{
    SatelliteShowing showing;
    showing.tableOrder = false;
    showing.severalSystems = true;
    QImage pictures[4];
    const GnssSystem systems[] = {GnssSystem::Gps, GnssSystem::Glonass, GnssSystem::Galileo,
                                  GnssSystem::BeiDou};
    for (int i = 0; i < 4; ++i) {
        pictures[i] = QImage(201, 209, QImage::Format_RGB32);
        showing.satellites = {{systems[i], systems[i] == GnssSystem::Glonass ? 76 : 5, 90, 0, 40, kSatUsed},
                              {GnssSystem::Gps, 7, 0, 180, 40, kSatInView}};
        paintSkyPlot(pictures[i], showing);
        pictures[i] = pictures[i].convertToFormat(QImage::Format_Grayscale8);
    }
    // Around the centre, where the four systems' discs stand, each outline is its own.
    const QRect disc(88, 88, 25, 25);
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b)
            QVERIFY2(pictures[a].copy(disc) != pictures[b].copy(disc),
                     qPrintable(QString("%1 %2").arg(a).arg(b)));
    // A three-digit PRN stays inside its disc.
    showing.satellites = {{GnssSystem::Galileo, 301, 90, 0, 40, kSatUsed}};
    QImage sky(201, 209, QImage::Format_RGB32);
    paintSkyPlot(sky, showing);
    int inside = 0, outside = 0;
    for (int y = 92; y <= 108; ++y) {
        for (int x = 100 - 14; x <= 100 + 14; ++x) {
            if (QColor(sky.pixel(x, y)) == Qt::white)
                ++(std::abs(x - 100) <= 8 ? inside : outside);
        }
    }
    QVERIFY(inside > 10);
    QCOMPARE(outside, 0);
}

NORVANE_UI_TEST_MAIN(MultiSystemViewsTest)
#include "multi_system_views_test.moc"
