// The sky plot and the SNR chart of receivers that report one band or several: recorded streams
// replayed through the real main window, one second's burst per receive tick.

#include "app/Mpgs.h"
#include "serial/clock.h"
#include "support/fake_clock.h"
#include "support/fake_port_backend.h"
#include "support/file_contents.h"
#include "ui/support/controls.h"
#include "ui/support/scripted_message_boxes.h"
#include "ui/support/ui_test_main.h"
#include "view/ui/sky_picture.h"
#include "view/ui/snr_chart.h"

#include <QComboBox>
#include <QDir>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace norvane;

namespace {

struct ConnectedWindow {
    ConnectedWindow()
    {
        auto backend = std::make_unique<FakePortBackend>();
        port = backend.get();
        records.link = SerialLink(std::move(backend));
        auto* rates = uitest::control<QComboBox>(window, "cbBandRate");
        rates->setCurrentIndex(rates->findText("115200"));
        uitest::control<QPushButton>(window, "btStart")->click();
        uitest::control<QTimer>(window, "Timer1")->stop();
    }
    void tick(const std::string& bytes)
    {
        port->pushIncoming(bytes);
        window.Timer1Timer();
        uitest::control<QTimer>(window, "Timer1")->stop();
    }

    FakeClock clock;
    ClockOverride useClock{clock};
    uitest::ScriptedMessageBoxes boxes;
    ProgramRecords records;
    Tgpsw window{records};
    FakePortBackend* port = nullptr;
};

// The recording cut into its seconds, each from one GGA to the next; the last one closed by a
// '$' as the next second's first byte would close it.
std::vector<std::string> secondsOf(const std::string& stream)
{
    std::vector<std::string> seconds;
    for (std::size_t at = stream.find("GGA,"); at != std::string::npos;) {
        const std::size_t start = stream.rfind('$', at);
        at = stream.find("GGA,", at + 1);
        const std::size_t end = at == std::string::npos ? stream.size() : stream.rfind('$', at);
        seconds.push_back(stream.substr(start, end - start));
    }
    if (!seconds.empty())
        seconds.back() += "$";
    return seconds;
}

// The recording's lines without the GSV sentences whose signal ID is not in `kept`, which is
// keyed by talker.
std::string withSignals(const std::string& stream, const std::map<std::string, std::set<char>>& kept)
{
    std::string result;
    std::size_t start = 0;
    while (start < stream.size()) {
        std::size_t end = stream.find('\n', start);
        end = end == std::string::npos ? stream.size() : end + 1;
        const std::string line = stream.substr(start, end - start);
        start = end;
        const std::size_t star = line.find('*');
        if (line.compare(3, 3, "GSV") == 0 && star != std::string::npos &&
            kept.at(line.substr(1, 2)).count(line[star - 1]) == 0)
            continue;
        result += line;
    }
    return result;
}

// The sky layer and the SNR chart as the window shows them after each of the chosen seconds, one
// row of the two per second.
QImage picturesAfter(const std::vector<std::string>& seconds, const std::vector<std::size_t>& chosen)
{
    ConnectedWindow w;
    auto* sky = uitest::control<SkyPicture>(w.window, "Image1");
    auto* chart = uitest::control<SnrChart>(w.window, "Chart1");
    const QSize row(sky->picture().width() + chart->width(),
                    std::max(sky->picture().height(), chart->height()));
    QImage pictures(row.width(), row.height() * static_cast<int>(chosen.size()), QImage::Format_RGB32);
    pictures.fill(Qt::black);
    QPainter painter(&pictures);
    int y = 0;
    for (std::size_t second = 0; second < seconds.size(); ++second) {
        w.tick(seconds[second]);
        if (std::find(chosen.begin(), chosen.end(), second) == chosen.end())
            continue;
        painter.drawImage(0, y, sky->picture());
        painter.drawImage(sky->picture().width(), y, chart->grab().toImage());
        y += row.height();
    }
    return pictures;
}

// The pictures against those the program drew before receivers of several bands were shown,
// kept in tests/data. A picture that differs is written to the temporary directory to look at.
void verifySamePictures(const QImage& drawn, const char* name)
{
    const QString path = QStringLiteral(NORVANE_TEST_DATA_DIR "/") + name;
    const QImage before(path);
    const QImage now = drawn.convertToFormat(QImage::Format_RGB32);
    const QString drawnPath = QDir::temp().filePath(name);
    if (before.isNull() || before.convertToFormat(QImage::Format_RGB32) != now) {
        now.save(drawnPath);
        QFAIL(qPrintable(
            QString("%1 differs from %2, or is missing; drawn now: %3").arg(name, path, drawnPath)));
    }
}

} // namespace

class BandViewsTest : public QObject {
    Q_OBJECT

private slots:
    void oneBandReceiversLookAsBefore();
};

// A receiver of one talker without signal IDs, through its search and its fix; and four systems
// heard on their L1 band only (the four-system recording without its second signals).
void BandViewsTest::oneBandReceiversLookAsBefore()
{
    const auto coldStart = secondsOf(test::fileContents(NORVANE_TEST_DATA_DIR "/sim_cold_start.nmea"));
    QVERIFY(coldStart.size() > 50);
    verifySamePictures(picturesAfter(coldStart, {0, 3, coldStart.size() - 1}), "one_band_cold_start.png");

    const std::string fourSystems = test::fileContents(NORVANE_TEST_DATA_DIR "/sim_four_systems.nmea");
    const auto l1Only =
        secondsOf(withSignals(fourSystems, {{"GP", {'1'}}, {"GL", {'1'}}, {"GA", {'7'}}, {"GB", {'1'}}}));
    QVERIFY(l1Only.size() > 5);
    verifySamePictures(picturesAfter(l1Only, {l1Only.size() - 1}), "one_band_four_systems.png");
}

NORVANE_UI_TEST_MAIN(BandViewsTest)
#include "band_views_test.moc"
