// The pictures as the program draws them from recorded receiver streams, played second by
// second into the real windows: the sky plot as the main window shows it, the SNR chart and the
// view-point chart. Under the default light palette each must equal, pixel for pixel, the
// picture in tests/data/pictures, which the program drew before it knew other palettes or
// screens. NORVANE_SAVE_PICTURES=folder writes the pictures there instead of comparing them.
// Under dark palettes the backgrounds are the palette's, and every colour that carries a
// meaning, read back from the drawn pictures, stands out from its background by 3:1; so do the
// fixes, circles and error lines of the Position Accuracy window's plots.

#include "control/ui/Testgps.h"
#include "serial/clock.h"
#include "support/fake_clock.h"
#include "support/file_contents.h"
#include "support/nmea_sentence.h"
#include "survey/ui/error_time_plot.h"
#include "survey/ui/position_accuracy_window.h"
#include "survey/ui/scatter_plot.h"
#include "text/number_format.h"
#include "ui/support/connected_window.h"
#include "ui/support/ui_test_main.h"
#include "view/sky_geometry.h"
#include "view/ui/Vp.h"
#include "view/ui/point_chart.h"
#include "view/ui/rgb_colour.h"
#include "view/ui/sky_picture.h"
#include "view/ui/snr_chart.h"
#include "view/view_colours.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace norvane;

namespace {

const QString kPictures = QStringLiteral(NORVANE_TEST_DATA_DIR "/pictures");

// The main window connected at 115200 (so that a tick takes a whole second of four systems),
// shown, with the view-point window shown beside it.
struct PlayedWindows : uitest::ConnectedWindow {
    PlayedWindows()
    {
        window.attachWindows(&viewp, &ftest);
        window.show();
        uitest::click(window, "bt_point");
    }

    void play(const std::string& file)
    {
        for (const std::string& second : test::recordedSeconds(file))
            tick(second);
    }

    void tick(const std::string& second)
    {
        ConnectedWindow::tick(second);
        QCoreApplication::processEvents();
    }

    // The sky square as the window shows it, grid layer over sky layer.
    QImage sky()
    {
        const QRect picture = uitest::control<SkyPicture>(window, "Image1")->geometry();
        return window.grab(QRect(picture.topLeft(), QSize(picture.width(), picture.width()))).toImage();
    }
    QImage chart() { return uitest::control<SnrChart>(window, "Chart1")->grab().toImage(); }
    QImage viewPoints() { return uitest::control<PointChart>(viewp, "Chart1")->grab().toImage(); }

    Tviewp viewp;
    TFtest ftest;
};

using Pictures = std::map<QString, QImage>;

Pictures drawnPictures()
{
    Pictures pictures;
    {
        PlayedWindows windows;
        pictures["sky_empty"] = windows.sky();
        pictures["snr_empty"] = windows.chart();
        windows.play("sim_cold_start.nmea");
        pictures["sky_one_system"] = windows.sky();
        pictures["snr_one_system"] = windows.chart();
        pictures["view_points"] = windows.viewPoints();
    }
    PlayedWindows windows;
    windows.play("sim_four_systems.nmea");
    pictures["sky_four_systems"] = windows.sky();
    pictures["snr_four_systems"] = windows.chart();
    return pictures;
}

// Three satellites, one of each status, where no ring or line of the grid crosses them: 5 used,
// 7 used but without signal, 10 in view.
const std::string kThreeStatuses =
    test::nmeaLine("GPGGA,120000.000,2459.2057,N,12130.1234,E,1,02,1.0,56.3,M,15.2,M,,") +
    test::nmeaLine("GPGSA,A,3,05,07,,,,,,,,,,,1.9,1.0,1.5") +
    test::nmeaLine("GPGSV,1,1,03,05,30,120,40,07,60,300,,10,20,220,30") +
    test::nmeaLine("GPRMC,120000.000,A,2459.2057,N,12130.1234,E,0.00,0.00,191007,,,A");

struct DrawnSatellite {
    int prn, elevation, azimuth, status;
};
const DrawnSatellite kSatellites[] = {
    {5, 30, 120, kSatUsed}, {7, 60, 300, kSatUsedWithoutSignal}, {10, 20, 220, kSatInView}};

Rgb at(const QImage& image, QPoint pixel)
{
    return toRgb(image.pixelColor(pixel));
}

QPalette darkPalette(QColor window, QColor base, QColor text)
{
    QPalette palette;
    for (auto role : {QPalette::Window, QPalette::Button})
        palette.setColor(role, window);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, text);
    palette.setColor(QPalette::Base, base);
    return palette;
}

// A GGA a second for `count` seconds, the fixes spread evenly over a disc of 3 m about one place.
std::vector<std::string> spreadFixes(int count)
{
    std::vector<std::string> sentences;
    for (int second = 0; second < count; ++second) {
        const double angle = second * 2.39996, metres = 3 * std::sqrt((second % 50 + 0.5) / 50);
        sentences.push_back(test::nmeaLine(formatText(
            "GPGGA,1200%02d.000,%.7f,N,%.7f,E,1,08,1.0,56.3,M,15.2,M,,", second % 60,
            2459.2057 + metres * std::sin(angle) / 1852, 12130.1234 + metres * std::cos(angle) / 1679)));
    }
    return sentences;
}

// The colours drawn inside `area` of a picture other than the plot's own (its wall, grid and
// lines), the most frequent first: what a plot draws in a colour of its own covers many pixels,
// the blends at the edges of its lines few each.
std::vector<std::pair<int, QRgb>> ownColours(const QImage& picture, const QRect& area,
                                             const QPalette& palette)
{
    const std::set<QRgb> plain = {palette.color(QPalette::Base).rgb(), palette.color(QPalette::Mid).rgb(),
                                  palette.color(QPalette::Text).rgb()};
    const qreal ratio = picture.devicePixelRatio();
    std::map<QRgb, int> counts;
    for (int y = qRound((area.top() + 1) * ratio); y < qRound(area.bottom() * ratio); ++y)
        for (int x = qRound((area.left() + 1) * ratio); x < qRound(area.right() * ratio); ++x)
            if (!plain.count(picture.pixel(x, y)))
                ++counts[picture.pixel(x, y)];
    std::vector<std::pair<int, QRgb>> colours;
    for (const auto& [colour, count] : counts)
        colours.emplace_back(count, colour);
    std::sort(colours.rbegin(), colours.rend());
    return colours;
}

// The application's palette while this lives; the one before again after.
struct PaletteInUse {
    explicit PaletteInUse(const QPalette& palette) : before(QApplication::palette())
    {
        QApplication::setPalette(palette);
    }
    ~PaletteInUse() { QApplication::setPalette(before); }
    PaletteInUse(const PaletteInUse&) = delete;
    PaletteInUse& operator=(const PaletteInUse&) = delete;

    QPalette before;
};

// What a drawn picture shows against what it should stand out from.
struct Contrast {
    QString what;
    double ratio;
};

} // namespace

class RenderedViewsTest : public QObject {
    Q_OBJECT

private slots:
    void lightPicturesAreTheProgramsOwn();
    void darkPalettesKeepTheMeaningsApart_data();
    void darkPalettesKeepTheMeaningsApart();
    void positionPlotsKeepTheirMeaningsApart_data();
    void positionPlotsKeepTheirMeaningsApart();
};

void RenderedViewsTest::lightPicturesAreTheProgramsOwn()
{
    const Pictures pictures = drawnPictures();
    const QString saveTo = qEnvironmentVariable("NORVANE_SAVE_PICTURES");
    for (const auto& [name, drawn] : pictures) {
        if (!saveTo.isEmpty()) {
            QVERIFY(QDir().mkpath(saveTo) && drawn.save(saveTo + "/" + name + ".png"));
            continue;
        }
        const QImage kept(kPictures + "/" + name + ".png");
        QVERIFY2(!kept.isNull(), qPrintable(name));
        const bool same =
            drawn.convertToFormat(QImage::Format_RGB32) == kept.convertToFormat(QImage::Format_RGB32);
        if (!same)
            drawn.save(QDir::temp().filePath(name + ".png"));
        QVERIFY2(same, qPrintable(name + " differs; drawn now: " + QDir::temp().filePath(name + ".png")));
    }
}

void RenderedViewsTest::darkPalettesKeepTheMeaningsApart_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::newRow("near black") << darkPalette(QColor(0x35, 0x35, 0x35), QColor(0x2A, 0x2A, 0x2A), Qt::white);
    QTest::newRow("slate") << darkPalette(QColor(0x31, 0x36, 0x3B), QColor(0x23, 0x26, 0x29),
                                          QColor(0xFC, 0xFC, 0xFC));
    QTest::newRow("dim grey") << darkPalette(QColor(0x5A, 0x5A, 0x5A), QColor(0x50, 0x50, 0x50),
                                             QColor(0xE0, 0xE0, 0xE0));
}

void RenderedViewsTest::darkPalettesKeepTheMeaningsApart()
{
    QFETCH(QPalette, palette);
    const PaletteInUse inUse(palette);
    PlayedWindows windows;
    for (int second = 0; second < 3; ++second)
        windows.tick(kThreeStatuses);
    const QImage sky = windows.sky();
    const QImage chart = windows.chart();
    const QImage points = windows.viewPoints();
    auto* snr = uitest::control<SnrChart>(windows.window, "Chart1");
    auto* pointChart = uitest::control<PointChart>(windows.viewp, "Chart1");

    // The backgrounds are the palette's.
    const QRect wall = snr->backWall();
    const Rgb wallColour = at(chart, wall.topLeft() + QPoint(2, 2));
    QCOMPARE(wallColour, toRgb(palette.color(QPalette::Base)));
    QCOMPARE(at(chart, QPoint(2, 2)), toRgb(palette.color(QPalette::Window)));
    QCOMPARE(at(points, pointChart->backWall().topLeft() + QPoint(2, 2)), wallColour);
    const Rgb skyColour = at(sky, QPoint(30, 40));
    QVERIFY(relativeLuminance(skyColour) < 0.2);

    std::vector<Contrast> contrasts;
    std::set<QRgb> fills;
    QCOMPARE(snr->bars().size(), 3);
    for (int i = 0; i < 3; ++i) {
        const DrawnSatellite& s = kSatellites[i];
        const SkyPoint centre = skyDisc(s.prn, s.elevation, s.azimuth, s.status).centre;
        const QPoint inDisc(centre.x - 7, centre.y);
        const QPoint outline(centre.x - kSkyDiscRadius, centre.y);
        fills.insert(sky.pixel(inDisc));
        contrasts.push_back({QString("disc %1").arg(s.prn), contrastRatio(at(sky, inDisc), skyColour)});
        contrasts.push_back(
            {QString("outline of %1").arg(s.prn), contrastRatio(at(sky, outline), skyColour)});
        const QRect bar = snr->barRect(i);
        if (bar.height() > 4)
            contrasts.push_back(
                {QString("bar %1").arg(s.prn), contrastRatio(at(chart, bar.center()), wallColour)});
    }
    QCOMPARE(fills.size(), std::size_t(3)); // three statuses, three colours
    QVERIFY(!pointChart->series().points().empty());
    const QPoint point = pointChart->pixelOf(pointChart->series().points().front()).toPoint();
    contrasts.push_back({"position", contrastRatio(at(points, point), wallColour)});
    QCOMPARE(contrasts.size(), std::size_t(3 * 2 + 2 + 1)); // the bar of 7 has no height
    for (const Contrast& c : contrasts)
        QVERIFY2(c.ratio >= kMeaningContrast, qPrintable(QString("%1: %2:1").arg(c.what).arg(c.ratio)));
}

void RenderedViewsTest::positionPlotsKeepTheirMeaningsApart_data()
{
    darkPalettesKeepTheMeaningsApart_data();
    QTest::newRow("light") << QApplication::palette();
}

// A run of spread fixes: the fixes and the two circles of the scatter, the error lines of both
// strips, each in its own colour, 3:1 against the plot.
void RenderedViewsTest::positionPlotsKeepTheirMeaningsApart()
{
    QFETCH(QPalette, palette);
    const PaletteInUse inUse(palette);
    QTemporaryDir csvFolder; // the run's CSV
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(csvFolder.path()));
    const struct Back {
        QString folder;
        ~Back() { QDir::setCurrent(folder); }
    } back{before};
    FakeClock clock;
    ClockOverride useClock(clock);
    PositionAccuracyWindow window;
    window.setConnected(true);
    window.show();
    for (const std::string& sentence : spreadFixes(100)) {
        window.sentenceDecoded("GGA", sentence);
        clock.advance(1000);
        window.receiveTickEnded();
    }
    auto* scatter = uitest::control<ScatterPlot>(window, "chart_scatter");
    auto* errors = uitest::control<ErrorTimePlot>(window, "chart_errors");
    const QImage scatterPicture = scatter->grab().toImage();
    const QImage errorPicture = errors->grab().toImage();
    const Rgb base = toRgb(palette.color(QPalette::Base));
    QCOMPARE(scatterPicture.pixel(scatter->wall().topLeft() + QPoint(2, 2)),
             palette.color(QPalette::Base).rgb());

    const struct {
        QString what;
        std::vector<std::pair<int, QRgb>> colours;
        std::size_t meanings;
    } plots[] = {
        {"scatter", ownColours(scatterPicture, scatter->wall(), palette), 3}, // fixes, CEP50, R95
        {"horizontal error", ownColours(errorPicture, errors->horizontalWall(), palette), 1},
        {"vertical error", ownColours(errorPicture, errors->verticalWall(), palette), 1},
    };
    for (const auto& plot : plots) {
        QVERIFY2(plot.colours.size() >= plot.meanings, qPrintable(plot.what));
        for (std::size_t i = 0; i < plot.meanings; ++i) {
            const auto [count, colour] = plot.colours[i];
            const double ratio = contrastRatio(toRgb(QColor(colour)), base);
            QVERIFY2(count >= 40, qPrintable(QString("%1: %2 pixels").arg(plot.what).arg(count)));
            QVERIFY2(ratio >= kMeaningContrast,
                     qPrintable(QString("%1, colour %2: %3:1").arg(plot.what).arg(colour, 0, 16).arg(ratio)));
        }
    }
}

NORVANE_UI_TEST_MAIN(RenderedViewsTest)
#include "rendered_views_test.moc"
