// The Position Accuracy window through the real main window: a noisy simulated receiver surveyed
// run by run, its figures and the scatter's description against the survey recomputed from the
// window's own CSV (written under a decimal-comma locale); the reference fields on hand-made
// fixes; the ways the window opens, and its size.

#include "serial/clock.h"
#include "sim/simulator.h"
#include "support/fake_clock.h"
#include "support/fake_port_backend.h"
#include "support/nmea_sentence.h"
#include "survey/survey.h"
#include "survey/survey_report.h"
#include "survey/ui/error_time_plot.h"
#include "survey/ui/position_accuracy_window.h"
#include "survey/ui/scatter_plot.h"
#include "ui/support/controls.h"
#include "ui/support/program_windows.h"
#include "ui/support/simulator_on_com3.h"
#include "ui/support/ui_test_main.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <charconv>
#include <cmath>
#include <memory>
#include <optional>

using namespace norvane;

namespace {

constexpr double kSpeedup = 20;

// A number as the window or the CSV writes it: '.' as the decimal point, nothing else but a
// unit after a space. Absent for "-", and for a number that stops at a decimal comma.
std::optional<double> numberOf(const QString& text)
{
    const std::string digits = text.section(' ', 0, 0).toStdString();
    double value = 0;
    const auto [end, problem] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (problem != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

QString valueText(const QWidget& window, const std::string& key)
{
    return uitest::control<QLabel>(window, ("td_" + key).c_str())->text();
}

std::optional<double> valueOf(const QWidget& window, const std::string& key)
{
    return numberOf(valueText(window, key));
}

// An epoch again from its CSV row: utc,quality,sats_used,hdop,latitude,longitude,height_m,...
SurveyEpoch epochOfRow(const QStringList& fields)
{
    SurveyEpoch epoch;
    const QStringList time = fields[0].split(':');
    if (time.size() == 3)
        epoch.utcMsOfDay = std::llround((time[0].toInt() * 3600 + time[1].toInt() * 60 + *numberOf(time[2])) * 1000);
    epoch.quality = fields[1].toInt();
    if (!fields[2].isEmpty())
        epoch.satsUsed = fields[2].toInt();
    epoch.hdop = numberOf(fields[3]);
    epoch.fix = !fields[4].isEmpty();
    if (epoch.fix) {
        epoch.latitude = *numberOf(fields[4]);
        epoch.longitude = *numberOf(fields[5]);
        epoch.height = numberOf(fields[6]);
    }
    return epoch;
}

// The CSV's rows after the header, each checked to hold eleven fields of '.' decimals.
QList<QStringList> csvRows(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("no CSV at %s", qPrintable(path));
    const QStringList lines = QString::fromLatin1(file.readAll()).split('\n', Qt::SkipEmptyParts);
    if (lines.value(0) != "utc,quality,sats_used,hdop,latitude,longitude,height_m,east_m,north_m,up_m,horizontal_m")
        qFatal("CSV header %s", qPrintable(lines.value(0)));
    const QRegularExpression number(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?$"));
    QList<QStringList> rows;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList fields = lines[i].split(',');
        if (fields.size() != 11)
            qFatal("CSV row %s", qPrintable(lines[i]));
        for (qsizetype f = 1; f < fields.size(); ++f)
            if (!fields[f].isEmpty() && !number.match(fields[f]).hasMatch())
                qFatal("CSV field %s in %s", qPrintable(fields[f]), qPrintable(lines[i]));
        rows << fields;
    }
    return rows;
}

QString csvPathOf(const QWidget& window)
{
    const QString text = uitest::control<QLabel>(window, "lb_csvfile")->text();
    return text.startsWith("CSV: ") ? text.mid(5) : QString();
}

// The program's windows on a port; the Position Accuracy window is the main window's own.
struct AccuracyWindows : uitest::ProgramWindows {
    explicit AccuracyWindows(std::unique_ptr<PortBackend> port = nullptr)
        : ProgramWindows(std::move(port)), accuracy(ownWindow("PositionAccuracy"))
    {
    }

    QWidget& accuracy;
};

// How many pixels of the fixes in one picture of the scatter have no pixel of a fix within a
// pixel in the other, leaving out those near anything else drawn (grid, labels, circles), which
// may hide a fix in one picture and not in the other. Pixels are the screen's, a pixel apart the
// plot's.
int strayFixPixels(const QImage& these, const QImage& those, const ScatterPlot& scatter)
{
    const QPalette& palette = scatter.palette();
    const QRgb fix = palette.color(QPalette::Highlight).rgb();
    const QRgb plain[] = {fix, palette.color(QPalette::Base).rgb()};
    const int apart = qRound(these.devicePixelRatio());
    const auto anyNear = [&](const QImage& image, QPoint at, int reach, const auto& test) {
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx)
                if (test(image.pixel(at + QPoint(dx, dy))))
                    return true;
        return false;
    };
    const auto notPlain = [&](QRgb pixel) { return std::find(std::begin(plain), std::end(plain), pixel) == std::end(plain); };
    const auto isFix = [&](QRgb pixel) { return pixel == fix; };
    const QRect wall = QRect(scatter.wall().topLeft() * apart, scatter.wall().size() * apart).adjusted(6, 6, -6, -6);
    int stray = 0;
    for (int y = wall.top(); y <= wall.bottom(); ++y)
        for (int x = wall.left(); x <= wall.right(); ++x) {
            const QPoint at(x, y);
            if (these.pixel(at) == fix && !anyNear(these, at, 2 * apart, notPlain) &&
                !anyNear(those, at, 2 * apart, notPlain) && !anyNear(those, at, apart, isFix))
                ++stray;
        }
    return stray;
}

// How many pixel columns of the horizontal error's strip show an error.
int columnsWithErrors(ErrorTimePlot& plot)
{
    const QImage image = plot.grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    const QRect strip = plot.horizontalWall().adjusted(2, 2, -2, -2);
    int columns = 0;
    for (int x = strip.left(); x <= strip.right(); ++x) {
        bool drawn = false;
        for (int y = qRound(strip.top() * ratio); y <= qRound(strip.bottom() * ratio) && !drawn; ++y)
            drawn = image.pixel(qRound(x * ratio), y) == plot.palette().color(QPalette::Highlight).rgb();
        columns += drawn ? 1 : 0;
    }
    return columns;
}

} // namespace

class PositionAccuracyTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void noisyReceiverFiguresAgreeWithTheirCsvRunByRun();
    void referenceFieldsChooseWhatFixesAreMeasuredFrom();
    void errorPlotFollowsTheRun();
    void opensFromBothPlacesAndOnlyGrows();
    void figureValuesLookLikeLabelsAndStillSelect();

private:
    QTemporaryDir workDir_; // every run writes its CSV into the working directory
};

void PositionAccuracyTest::initTestCase()
{
    QVERIFY(workDir_.isValid());
    QVERIFY(QDir::setCurrent(workDir_.path()));
}

// Opened before connecting, the window starts its run with Start; Restart starts another with a
// new CSV; Off ends it. The figures left are those of every epoch of the CSV.
void PositionAccuracyTest::noisyReceiverFiguresAgreeWithTheirCsvRunByRun()
{
    sim::SimulatorOptions options;
    options.rate = 115200;
    options.speed = kSpeedup;
    options.fixRate = 5;
    options.noise = {2.0, 3.0, 0.0};
    options.gst = true;
    options.banners = false;
    uitest::SimulatorOnCom3 receiver(options);
    if (!receiver.started())
        QSKIP(qPrintable(receiver.whyNotStarted()));
    ScaledClock fastClock(kSpeedup);
    ClockOverride useFastClock(fastClock);

    AccuracyWindows windows;
    Tgpsw& gpsw = *windows.gpsw;
    QWidget& accuracy = windows.accuracy;
    gpsw.showAccuracyWindow();
    QVERIFY(accuracy.isVisible());
    QCOMPARE(csvPathOf(accuracy), QString()); // not connected: no run
    uitest::choose(gpsw, "cbComPort", "  COM3");
    uitest::choose(gpsw, "cbBandRate", "115200");
    uitest::click(gpsw, "btStart");
    uitest::control<QTimer>(gpsw, "Timer1")->setInterval(static_cast<int>(1000 / kSpeedup));
    const QString firstCsv = csvPathOf(accuracy);
    QVERIFY2(QRegularExpression("^norvane-survey-[0-9]{8}-[0-9]{6}(-[0-9]+)?\\.csv$").match(firstCsv).hasMatch(),
             qPrintable(firstCsv));
    QTRY_VERIFY_WITH_TIMEOUT(valueOf(accuracy, "fixes").value_or(0) >= 20, 30000);

    // Zoomed in, a mean that moves by centimetres moves the scatter by pixels.
    uitest::click(accuracy, "bt_zoomin");
    uitest::click(accuracy, "bt_zoomin");
    uitest::click(accuracy, "bt_restart");
    const QString secondCsv = csvPathOf(accuracy);
    QVERIFY(!secondCsv.isEmpty() && secondCsv != firstCsv);
    QVERIFY(valueOf(accuracy, "fixes").value_or(99) < 20); // the figures start afresh
    const qsizetype firstRows = csvRows(firstCsv).size();
    QVERIFY(firstRows >= 20);
    QTRY_VERIFY_WITH_TIMEOUT(valueOf(accuracy, "fixes").value_or(0) >= 150, 60000);

    uitest::click(gpsw, "btStart"); // Off
    QCOMPARE(uitest::control<QPushButton>(gpsw, "btStart")->text(), QString("Start"));
    QCOMPARE(csvRows(firstCsv).size(), firstRows); // closed at Restart
    // Ended: a sentence still handed on is no epoch of it.
    const qsizetype secondRows = csvRows(secondCsv).size();
    gpsw.sentenceDecoded("GGA", test::nmea("GPGGA,235959.000,2459.2057,N,12130.1234,E,1,08,0.9,56.3,M,15.2,M,,") + "\n");
    QCOMPARE(csvRows(secondCsv).size(), secondRows);

    // The survey again from the second CSV's rows.
    Survey again;
    for (const QStringList& fields : csvRows(secondCsv))
        again.addEpoch(epochOfRow(fields));
    again.refresh();
    const SurveyFigures& expected = again.figures();
    QVERIFY(expected.fixes >= 150);
    for (const Figure& figure : surveyFigureList(expected)) {
        if (figure.key.starts_with("gst_"))
            continue; // the claims are no CSV column
        const QString shown = valueText(accuracy, figure.key);
        const auto value = numberOf(shown);
        QVERIFY2(value && figure.value, qPrintable(QString::fromStdString(figure.key) + ": " + shown));
        // The CSV keeps tenths of millimetres and nanodegrees: two in the last place shown.
        QVERIFY2(std::fabs(*value - *figure.value) <= 2 * std::pow(10.0, -figure.decimals),
                 qPrintable(QString::fromStdString(figure.key) + ": " + shown + " against " +
                            QString::number(*figure.value, 'f', 9)));
    }
    QCOMPARE(valueText(accuracy, "gst_sigma_lat_m"), QString("2.000 m"));
    QCOMPARE(valueText(accuracy, "gst_sigma_alt_m"), QString("3.000 m"));
    QVERIFY(uitest::control<QLabel>(accuracy, "td_gst_sigma_lon_m")->isVisible());
    // The signal strength of the satellites the views showed at each epoch, beside the position.
    const auto cn0 = valueOf(accuracy, "cn0_top4_mean");
    QVERIFY2(cn0 && *cn0 > 30 && *cn0 < 55, qPrintable(valueText(accuracy, "cn0_top4_mean")));
    QCOMPARE(valueText(accuracy, "cn0_l5_mean"), QString("-"));
    QVERIFY2(uitest::control<QLabel>(accuracy, "lb_systems")->text().startsWith("G  in view "),
             qPrintable(uitest::control<QLabel>(accuracy, "lb_systems")->text()));
    // Rayleigh's median for sigma 2 m, loosely: metres, not degrees or feet.
    QVERIFY2(std::fabs(*expected.cep50 - 2.355) < 0.5, qPrintable(QString::number(*expected.cep50)));

    auto* scatter = uitest::control<ScatterPlot>(accuracy, "chart_scatter");
    const QRegularExpression description(
        "^([0-9]+) fixes, CEP50 ([0-9.]+) m, R95 ([0-9.]+) m, 2DRMS ([0-9.]+) m, V95 ([0-9.]+) m$");
    const auto read = description.match(scatter->accessibleDescription());
    QVERIFY2(read.hasMatch(), qPrintable(scatter->accessibleDescription()));
    QCOMPARE(read.captured(1).toInt(), expected.fixes);
    const double described[] = {*expected.cep50, *expected.r95, *expected.drms2, *expected.v95};
    for (int i = 0; i < 4; ++i)
        QVERIFY2(std::fabs(*numberOf(read.captured(i + 2)) - described[i]) <= 0.011,
                 qPrintable(scatter->accessibleDescription()));

    // The picture built fix by fix, moved with the mean, is the one drawn all at once.
    const QImage built = scatter->grab().toImage();
    QImage empty = built;
    empty.fill(scatter->palette().color(QPalette::Base));
    // Enough fixes away from the grid and the labels to compare: those of thirty fixes at least.
    const int comparable = strayFixPixels(built, empty, *scatter);
    QVERIFY2(comparable > 9 * 30, qPrintable(QString::number(comparable)));
    uitest::click(accuracy, "bt_zoomin");
    uitest::click(accuracy, "bt_zoomout");
    const QImage drawnAtOnce = scatter->grab().toImage();
    QCOMPARE(strayFixPixels(built, drawnAtOnce, *scatter), 0);
    QCOMPARE(strayFixPixels(drawnAtOnce, built, *scatter), 0);
}

// Four fixes at one point P; fields typed by hand, a table of wrong ones, then the mean fixed.
void PositionAccuracyTest::referenceFieldsChooseWhatFixesAreMeasuredFrom()
{
    FakeClock fakeClock(1000);
    ClockOverride useFakeClock(fakeClock);
    auto backend = std::make_unique<FakePortBackend>();
    FakePortBackend* port = backend.get();
    AccuracyWindows windows(std::move(backend));
    Tgpsw& gpsw = *windows.gpsw;
    QWidget& accuracy = windows.accuracy;
    uitest::click(gpsw, "btStart");
    uitest::control<QTimer>(gpsw, "Timer1")->stop();
    gpsw.showAccuracyWindow();
    QVERIFY(!csvPathOf(accuracy).isEmpty());

    // A tick of `count` fixes a second apart, the next second on the clock.
    int second = 0;
    const auto fixes = [&](int count) {
        for (int i = 0; i < count; ++i, ++second)
            port->pushIncoming(test::ggaLine("1200" + std::to_string(10 + second) + ".000"));
        port->pushIncoming("$"); // closes the last sentence
        gpsw.Timer1Timer();
        fakeClock.advance(1000);
    };
    fixes(4);
    QCOMPARE(valueText(accuracy, "fixes"), QString("4"));
    QCOMPARE(valueText(accuracy, "ref_lat"), QString("24.986761667 deg"));
    QVERIFY(uitest::control<QLabel>(accuracy, "lb_ref_lat")->text().contains("mean"));

    auto* latitude = uitest::control<QLineEdit>(accuracy, "ed_reflat");
    auto* longitude = uitest::control<QLineEdit>(accuracy, "ed_reflon");
    auto* height = uitest::control<QLineEdit>(accuracy, "ed_refheight");
    auto* fixed = uitest::control<QRadioButton>(accuracy, "rb_fixed");
    auto* mean = uitest::control<QRadioButton>(accuracy, "rb_mean");
    auto* problem = uitest::control<QLabel>(accuracy, "lb_refproblem");
    const struct {
        const char *latitude, *longitude, *height, *blamed;
    } wrong[] = {
        {"24,986861667", "121.502056667", "70.5", "latitude"}, // the desktop's decimal comma
        {"90.5", "121.502056667", "70.5", "latitude"},
        {"24.986861667", "-181", "70.5", "longitude"},
        {"24.986861667", "121.502056667", "", "height"},
    };
    for (const auto& row : wrong) {
        latitude->setText(row.latitude);
        longitude->setText(row.longitude);
        height->setText(row.height);
        fixed->click();
        QVERIFY2(problem->text().startsWith(row.blamed), qPrintable(problem->text()));
        QVERIFY(mean->isChecked());
        QCOMPARE(valueText(accuracy, "ref_lat"), QString("24.986761667 deg"));
    }

    // A tenth of a millidegree north of P and a metre below it: P lies that meridian arc south
    // of it and a metre up.
    latitude->setText("24.986861667");
    longitude->setText("121.502056667");
    height->setText("70.5");
    fixed->click();
    QVERIFY(fixed->isChecked());
    QCOMPARE(problem->text(), QString());
    constexpr double a = 6378137.0, f = 1 / 298.257223563, e2 = f * (2 - f);
    const double phi = 24.986811667 * M_PI / 180;
    const double meridianRadius = a * (1 - e2) / std::pow(1 - e2 * std::sin(phi) * std::sin(phi), 1.5);
    const double south = meridianRadius * 0.0001 * M_PI / 180;
    QVERIFY2(std::fabs(*valueOf(accuracy, "bias_n_m") + south) <= 0.002,
             qPrintable(valueText(accuracy, "bias_n_m")));
    QVERIFY(std::fabs(*valueOf(accuracy, "bias_u_m") - 1.0) <= 0.002);
    QCOMPARE(valueText(accuracy, "ref_lat"), QString("24.986861667 deg"));
    fixes(1);
    const QStringList last = csvRows(csvPathOf(accuracy)).last();
    QVERIFY2(std::fabs(*numberOf(last[8]) + south) <= 0.001, qPrintable(last.join(',')));

    // "Use mean as reference": the fields take the mean, '.' whatever the desktop's locale.
    uitest::click(accuracy, "bt_usemean");
    QCOMPARE(latitude->text(), QString("24.986761667"));
    QCOMPARE(longitude->text(), QString("121.502056667"));
    QCOMPARE(height->text(), QString("71.500"));
    QVERIFY(fixed->isChecked());
    QCOMPARE(valueText(accuracy, "bias_n_m"), QString("0.000 m"));
    QVERIFY(!uitest::control<QLabel>(accuracy, "lb_ref_lat")->text().contains("mean"));

    // Kept across runs; the mean again on asking.
    uitest::click(accuracy, "bt_restart");
    fixes(1);
    QCOMPARE(valueText(accuracy, "ref_lat"), QString("24.986761667 deg"));
    QVERIFY(!uitest::control<QLabel>(accuracy, "lb_ref_lat")->text().contains("mean"));
    mean->click();
    QVERIFY(uitest::control<QLabel>(accuracy, "lb_ref_lat")->text().contains("mean"));
}

// Ten minutes of fixes 1 to 3 m from a fixed reference, refreshed every second: the cached
// picture, first drawn with one fix, follows the run across the whole plot.
void PositionAccuracyTest::errorPlotFollowsTheRun()
{
    Survey survey;
    survey.useFixedReference({0, 0, 0});
    ErrorTimePlot plot(survey);
    plot.resize(400, 200);
    plot.show(); // a hidden widget is laid out afresh at every grab
    for (int second = 0; second < 600; ++second) {
        SurveyEpoch epoch;
        epoch.utcMsOfDay = 43200000 + second * 1000;
        epoch.quality = 1;
        epoch.fix = true;
        epoch.latitude = (1 + second % 3) / 111320.0;
        epoch.height = 0;
        survey.addEpoch(epoch);
        survey.refresh();
        plot.surveyRefreshed();
        if (second == 0)
            QVERIFY(columnsWithErrors(plot) < 10);
    }
    const int width = plot.horizontalWall().width();
    QVERIFY2(columnsWithErrors(plot) > width * 9 / 10, qPrintable(QString::number(columnsWithErrors(plot))));
}

void PositionAccuracyTest::opensFromBothPlacesAndOnlyGrows()
{
    AccuracyWindows windows;
    Tgpsw& gpsw = *windows.gpsw;
    QWidget& accuracy = windows.accuracy;
    QVERIFY(accuracy.isHidden());
    QCOMPARE(accuracy.windowTitle(), QString("Position Accuracy"));

    uitest::click(windows.viewp, "bt_accuracy");
    QVERIFY(accuracy.isVisible());
    accuracy.close();
    QVERIFY(accuracy.isHidden());

    gpsw.show();
    gpsw.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&gpsw));
    QTest::keyClick(&gpsw, Qt::Key_P, Qt::ControlModifier);
    QVERIFY(accuracy.isVisible());

    const QSize start = accuracy.size();
    QCOMPARE(accuracy.minimumSize(), start);
    auto* scatter = uitest::control<ScatterPlot>(accuracy, "chart_scatter");
    const QSize scatterAtStart = scatter->size();
    accuracy.resize(start + QSize(200, 150));
    QTRY_COMPARE(accuracy.size(), start + QSize(200, 150));
    QVERIFY(scatter->width() >= scatterAtStart.width() + 190);
    QVERIFY(scatter->height() > scatterAtStart.height());
    accuracy.resize(start - QSize(100, 100));
    QTRY_COMPARE(accuracy.size(), start);

    // On a screen far too small for it, the lines of a receiver of many systems scroll with the
    // figures rather than squeeze over them.
    auto* systems = uitest::control<QLabel>(accuracy, "lb_systems");
    accuracy.setMinimumSize(start - QSize(0, 450));
    accuracy.resize(accuracy.minimumSize());
    systems->setText("G\nR\nE\nC\nJ\nI");
    QTRY_VERIFY2(systems->height() >= systems->sizeHint().height(), qPrintable(QString::number(systems->height())));
    QCOMPARE(accuracy.size(), start - QSize(0, 450));
}

// A figure is painted as plain text while none of it is selected: just as a label that can be
// selected paints it. A selection still shows, and is what gets copied.
void PositionAccuracyTest::figureValuesLookLikeLabelsAndStillSelect()
{
    PositionAccuracyWindow accuracy;
    accuracy.show();
    auto* value = uitest::control<QLabel>(accuracy, "td_epochs");
    value->setText(QStringLiteral("86402"));
    QLabel label;
    label.setTextInteractionFlags(value->textInteractionFlags());
    label.setAlignment(value->alignment());
    label.setFixedSize(value->size());
    label.setText(value->text());
    const auto look = [](QWidget* widget) {
        return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    const QImage unselected = look(value);
    QCOMPARE(unselected, look(&label));

    value->setSelection(0, 3);
    QCOMPARE(value->selectedText(), QString("864"));
    QVERIFY(look(value) != unselected);
}

NORVANE_UI_TEST_MAIN(PositionAccuracyTest)
#include "position_accuracy_test.moc"
