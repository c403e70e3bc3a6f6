// The sky plot and the SNR chart of receivers that report one band or several: recorded streams
// replayed through the real main window, one second's burst per receive tick.

#include "app/Mpgs.h"
#include "serial/clock.h"
#include "support/fake_clock.h"
#include "support/fake_port_backend.h"
#include "support/file_contents.h"
#include "support/nmea_sentence.h"
#include "ui/support/controls.h"
#include "ui/support/scripted_message_boxes.h"
#include "ui/support/ui_test_main.h"
#include "view/sky_geometry.h"
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
#include <sstream>
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

// The expected file's satellite lines, '#' lines left out.
QStringList expectedSatellites(const char* path)
{
    QStringList lines;
    std::istringstream in(test::fileContents(path));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != '#')
            lines << QString::fromStdString(line);
    }
    return lines;
}

// The entries of an accessible description, after its "N in view, M used".
QStringList describedSatellites(const QString& description)
{
    QStringList entries = description.split("; ");
    entries.removeFirst();
    return entries;
}

// The bars an expected line asks for: its label and, per band in band order, the band's name
// and SNR ("G01 el 11 az 17 snr L1 28 L5 26 used": L1 28 and L5 26; "R01 ... snr 32 used": L1 32).
struct ExpectedBar {
    QString label;
    QString band;
    int snr = 0;
};

QVector<ExpectedBar> expectedBars(const QStringList& satellites)
{
    QVector<ExpectedBar> bars;
    for (const QString& line : satellites) {
        const QStringList words = line.split(' ');
        const int snr = words.indexOf("snr");
        if (words[snr + 1].startsWith('L')) {
            for (int w = snr + 1; words[w].startsWith('L'); w += 2)
                bars.push_back({words[0], words[w], words[w + 1].toInt()});
        } else {
            bars.push_back({words[0], "L1", words[snr + 1].toInt()});
        }
    }
    return bars;
}

// The sentence with its satellite of this PRN heard without SNR, checksum made anew.
std::string withoutSnr(const std::string& sentence, const std::string& prn)
{
    const std::size_t star = sentence.find('*');
    QStringList fields = QString::fromStdString(sentence.substr(1, star - 1)).split(',');
    for (int i = 4; i + 3 < fields.size(); i += 4) {
        if (fields[i] == QString::fromStdString(prn))
            fields[i + 3].clear();
    }
    return test::nmeaLine(fields.join(',').toStdString());
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

// Five systems from the simulator's --bands L1,L5, replayed a second per tick: every satellite
// described with the SNR of each band, as worked out apart from the program; a bar per band, L1
// on the left and L5 striped; and the sky plot going by L1 where the two bands disagree.
void BandViewsTest::dualBandRecordingShowsEveryBandAndTheSkyTakesL1()
{
    const auto seconds = secondsOf(test::fileContents(NORVANE_TEST_DATA_DIR "/sim_dual_band.nmea"));
    const QStringList expected = expectedSatellites(NORVANE_TEST_DATA_DIR "/sim_dual_band.expected");
    QVERIFY(seconds.size() >= 5 && expected.size() >= 45);
    ConnectedWindow w;
    for (const std::string& second : seconds)
        w.tick(second);
    auto* chart = uitest::control<SnrChart>(w.window, "Chart1");
    auto* sky = uitest::control<SkyPicture>(w.window, "Image1");
    QCOMPARE(describedSatellites(chart->accessibleDescription()), expected);
    QCOMPARE(sky->accessibleDescription(), chart->accessibleDescription());

    QCOMPARE(chart->bands().size(), 2);
    QCOMPARE(chart->bands()[0].name + " " + chart->bands()[1].name, QString("L1 L5"));
    const QVector<ExpectedBar> bars = expectedBars(expected);
    QCOMPARE(chart->bars().size(), bars.size());
    for (int i = 0; i < bars.size(); ++i) {
        const ChartBar& bar = chart->bars()[i];
        QCOMPARE(bar.label, bars[i].label);
        QCOMPARE(bar.height, double(bars[i].snr));
        QCOMPARE(bar.bandPlace, bars[i].band == "L1" ? 0 : 1);
    }
    const QImage chartImage = chart->grab().toImage();
    QCOMPARE(chart->bars()[1].label, QString("G01"));
    QCOMPARE(greyLevels(chartImage, chart->barRect(0).adjusted(1, 1, -1, -1)), 1);
    QVERIFY(greyLevels(chartImage, chart->barRect(1).adjusted(1, 1, -1, -1)) > 1);
    QVERIFY(chart->barRect(0).right() <= chart->barRect(1).left());

    // E07 is used; its E1 signal (7, the L1 band) goes quiet while E5a (1, L5) is still heard.
    const QString e07 = expected.filter(QRegularExpression("^E07 ")).value(0);
    QVERIFY2(e07.endsWith(" used"), qPrintable(e07));
    const QStringList words = e07.split(' ');
    const SkyPoint at = skyPosition(words[2].toInt(), words[4].toInt());
    QCOMPARE(sky->picture().pixelColor(at.x - 7, at.y), QColor(0, 0, 0xFF));
    std::string quiet = seconds.back();
    for (std::size_t at = quiet.find("$GAGSV,3,1,"); at != std::string::npos;
         at = quiet.find("$GAGSV,3,1,", at + 1)) {
        const std::size_t end = quiet.find("\r\n", at);
        const std::string line = quiet.substr(at, end - at);
        if (line.find(",7*") != std::string::npos)
            quiet.replace(at, end + 2 - at, withoutSnr(line, "07"));
    }
    QVERIFY(quiet != seconds.back());
    w.tick(quiet);
    const QString described =
        describedSatellites(chart->accessibleDescription()).filter(QRegularExpression("^E07 ")).value(0);
    QVERIFY2(described.contains(" snr L1 0 L5 ") && described.endsWith(" used"), qPrintable(described));
    QCOMPARE(sky->picture().pixelColor(at.x - 7, at.y), QColor(0xC0, 0xC0, 0xC0));
}

NORVANE_UI_TEST_MAIN(BandViewsTest)
#include "band_views_test.moc"
