// The sky plot and the SNR chart of receivers that report one band or several: recorded streams
// replayed through the real main window, one second's burst per receive tick.

#include "support/file_contents.h"
#include "support/nmea_sentence.h"
#include "ui/support/connected_window.h"
#include "ui/support/ui_test_main.h"
#include "view/sky_geometry.h"
#include "view/ui/sky_picture.h"
#include "view/ui/snr_chart.h"

#include <QDir>
#include <QPainter>
#include <QtTest>
#include <set>

using namespace norvane;

namespace {

// The recording's seconds, the last closed by a '$'.
std::vector<std::string> secondsOf(const char* file, const std::set<std::string>& droppedGsv = {})
{
    std::vector<std::string> seconds = test::recordedSeconds(file, droppedGsv);
    seconds.back() += "$";
    return seconds;
}

// The sky layer and the SNR chart after each of the chosen seconds, a row of the two per second.
QImage picturesAfter(const std::vector<std::string>& seconds, const std::set<std::size_t>& chosen)
{
    uitest::ConnectedWindow w;
    auto* sky = uitest::control<SkyPicture>(w.window, "Image1");
    auto* chart = uitest::control<SnrChart>(w.window, "Chart1");
    QImage pictures(sky->width() + chart->width(), sky->height() * static_cast<int>(chosen.size()),
                    QImage::Format_RGB32);
    pictures.fill(Qt::black);
    QPainter painter(&pictures);
    int row = 0;
    for (std::size_t second = 0; second < seconds.size(); ++second) {
        w.tick(seconds[second]);
        if (chosen.count(second) == 0)
            continue;
        painter.drawImage(0, sky->height() * row, sky->picture());
        painter.drawImage(sky->width(), sky->height() * row++, chart->grab().toImage());
    }
    return pictures;
}

// Against the pictures the program drew before receivers of several bands were shown, kept in
// tests/data; a picture that differs is written to the temporary directory to look at.
void verifySamePictures(const QImage& drawn, const char* name)
{
    const QImage before(QStringLiteral(NORVANE_TEST_DATA_DIR "/") + name);
    if (before.convertToFormat(QImage::Format_RGB32) != drawn) {
        drawn.save(QDir::temp().filePath(name));
        QFAIL(qPrintable(QString("%1 differs from tests/data; drawn now in %2").arg(name, QDir::tempPath())));
    }
}

int greyLevels(const QImage& image, const QRect& area)
{
    std::set<int> levels;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            levels.insert(qGray(image.pixel(x, y)));
    return static_cast<int>(levels.size());
}

} // namespace

class BandViewsTest : public QObject {
    Q_OBJECT

private slots:
    void oneBandReceiversLookAsBefore();
    void dualBandRecordingShowsEveryBandAndTheSkyTakesL1();
};

// A receiver of one talker without signal IDs, through its search and its fix; and four systems
// heard on their L1 signal only (the four-system recording without its second signals).
void BandViewsTest::oneBandReceiversLookAsBefore()
{
    const auto coldStart = secondsOf("sim_cold_start.nmea");
    QVERIFY(coldStart.size() > 50);
    verifySamePictures(picturesAfter(coldStart, {0, 3, coldStart.size() - 1}), "one_band_cold_start.png");
    const auto l1Only = secondsOf("sim_four_systems.nmea", {"GP8", "GL3", "GA1", "GB5"});
    verifySamePictures(picturesAfter(l1Only, {l1Only.size() - 1}), "one_band_four_systems.png");
}

// Five systems from the simulator's --bands L1,L5: every satellite described with the SNR of
// each band, as worked out apart from the program; a bar per band, L1 on the left and L5
// striped; and the sky plot going by L1 where the two bands disagree.
void BandViewsTest::dualBandRecordingShowsEveryBandAndTheSkyTakesL1()
{
    const auto expected = test::expectedLines(NORVANE_TEST_DATA_DIR "/sim_dual_band.expected");
    QCOMPARE(expected.size(), std::size_t{50});
    uitest::ConnectedWindow w;
    for (const std::string& second : secondsOf("sim_dual_band.nmea"))
        w.tick(second);
    auto* chart = uitest::control<SnrChart>(w.window, "Chart1");
    auto* sky = uitest::control<SkyPicture>(w.window, "Image1");
    const QString described = chart->accessibleDescription();
    QStringList satellites;
    for (const std::string& line : expected)
        satellites << QString::fromStdString(line);
    QCOMPARE(described.section("; ", 1).split("; "), satellites);
    QCOMPARE(sky->accessibleDescription(), described);

    // "G01 el 11 az 17 snr L1 28 L5 26 used": its bars are the first two; R01's one stands at L1.
    QCOMPARE(chart->bands().size(), 2);
    const QStringList g01 = QString::fromStdString(expected[0]).split(' ');
    const auto& bars = chart->bars();
    QVERIFY(bars[0].label == "G01" && bars[1].label == "G01" && bars[2].label == "G02");
    QCOMPARE(bars[0].height, g01[7].toDouble());
    QCOMPARE(bars[1].height, g01[9].toDouble());
    QVERIFY(bars[0].bandPlace == 0 && bars[1].bandPlace == 1 && bars[24].label == "R01" &&
            bars[24].bandPlace == 0);
    const QImage drawn = chart->grab().toImage();
    QCOMPARE(greyLevels(drawn, chart->barRect(0).adjusted(1, 1, -1, -1)), 1);
    QVERIFY(greyLevels(drawn, chart->barRect(1).adjusted(1, 1, -1, -1)) > 1);
    QVERIFY(chart->barRect(0).right() <= chart->barRect(1).left());

    // E07 is used; its E1 signal (7, the L1 band) goes quiet while E5a (1, L5) is still heard.
    const QString e07 = described.section("; E07 ", 1, 1).section(";", 0, 0);
    QVERIFY2(e07.endsWith(" used"), qPrintable(e07));
    const QStringList words = e07.split(' ');
    const SkyPoint at = skyPosition(words[1].toInt(), words[3].toInt());
    QCOMPARE(sky->picture().pixelColor(at.x - 7, at.y), QColor(0, 0, 0xFF));
    w.tick(test::nmeaLine(QString("GAGSV,1,1,01,07,%1,%2,,7").arg(words[1], words[3]).toStdString()) + "$");
    QVERIFY2(
        chart->accessibleDescription().contains("; E07 el " + words[1] + " az " + words[3] + " snr L1 0 L5 "),
        qPrintable(chart->accessibleDescription()));
    QCOMPARE(sky->picture().pixelColor(at.x - 7, at.y), QColor(0xC0, 0xC0, 0xC0));
}

NORVANE_UI_TEST_MAIN(BandViewsTest)
#include "band_views_test.moc"
