// The pictures as the program draws them from recorded receiver streams, played second by
// second into the real windows: the sky plot as the main window shows it, the SNR chart and the
// view-point chart. Under the default light palette each must equal, pixel for pixel, the
// picture in tests/data/pictures, which the program drew before it knew other palettes or
// screens. NORVANE_SAVE_PICTURES=folder writes the pictures there instead of comparing them.

#include "app/Mpgs.h"
#include "control/ui/Testgps.h"
#include "serial/clock.h"
#include "support/fake_clock.h"
#include "support/fake_port_backend.h"
#include "support/file_contents.h"
#include "ui/support/controls.h"
#include "ui/support/scripted_message_boxes.h"
#include "ui/support/ui_test_main.h"
#include "view/ui/Vp.h"
#include "view/ui/point_chart.h"
#include "view/ui/sky_picture.h"
#include "view/ui/snr_chart.h"

#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace norvane;

namespace {

const QString kPictures = QStringLiteral(NORVANE_TEST_DATA_DIR "/pictures");

// A recorded stream cut into its seconds: each begins with its GGA sentence.
std::vector<std::string> secondsOf(const std::string& file)
{
    std::vector<std::string> seconds;
    std::string line;
    for (char c : test::fileContents(std::string(NORVANE_TEST_DATA_DIR "/") + file)) {
        line += c;
        if (c != '\n')
            continue;
        if (seconds.empty() || (line.size() > 6 && line.compare(3, 3, "GGA") == 0))
            seconds.emplace_back();
        seconds.back() += line;
        line.clear();
    }
    return seconds;
}

// The main window connected to a fake port at 115200 (so that a tick takes a whole second of
// four systems) with the view-point window shown; the test runs the ticks.
struct PlayedWindows {
    PlayedWindows()
    {
        auto backend = std::make_unique<FakePortBackend>();
        port = backend.get();
        records.link = SerialLink(std::move(backend));
        gpsw.attachWindows(&viewp, &ftest);
        auto* rates = uitest::control<QComboBox>(gpsw, "cbBandRate");
        rates->setCurrentIndex(rates->findText("115200"));
        gpsw.show();
        uitest::control<QPushButton>(gpsw, "btStart")->click();
        uitest::control<QPushButton>(gpsw, "bt_point")->click();
    }

    void play(const std::string& file)
    {
        for (const std::string& second : secondsOf(file)) {
            port->pushIncoming(second);
            gpsw.Timer1Timer();
            uitest::control<QTimer>(gpsw, "Timer1")->stop();
        }
        QCoreApplication::processEvents();
    }

    // The sky square as the window shows it, grid layer over sky layer.
    QImage sky()
    {
        const QRect picture = uitest::control<SkyPicture>(gpsw, "Image1")->geometry();
        return gpsw.grab(QRect(picture.topLeft(), QSize(picture.width(), picture.width()))).toImage();
    }
    QImage chart() { return uitest::control<SnrChart>(gpsw, "Chart1")->grab().toImage(); }
    QImage viewPoints() { return uitest::control<PointChart>(viewp, "Chart1")->grab().toImage(); }

    uitest::ScriptedMessageBoxes boxes;
    FakeClock clock;
    ClockOverride useClock{clock};
    FakePortBackend* port = nullptr;
    ProgramRecords records;
    Tgpsw gpsw{records};
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

} // namespace

class RenderedViewsTest : public QObject {
    Q_OBJECT

private slots:
    void lightPicturesAreTheProgramsOwn();
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
        QCOMPARE(drawn.convertToFormat(QImage::Format_RGB32), kept.convertToFormat(QImage::Format_RGB32));
    }
}

NORVANE_UI_TEST_MAIN(RenderedViewsTest)
#include "rendered_views_test.moc"
