// What the program remembers between runs: a run that changes everything (the windows' places,
// the Replay and Position Accuracy windows' too, and a recording's folder), then a run that must
// find it all again; broken settings files; and --no-settings, which neither reads nor writes.

#include "app/command_line.h"
#include "desktop/ui/remembered_settings.h"
#include "support/fake_port_backend.h"
#include "ui/support/controls.h"
#include "ui/support/program_windows.h"
#include "ui/support/ui_test_main.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <memory>
#include <sstream>

using namespace norvane;

namespace {

// The program's windows over a fake port that opens under any name.
struct Run : uitest::ProgramWindows {
    explicit Run(QuestionAnswer family = QuestionAnswer::First)
        : ProgramWindows(std::make_unique<FakePortBackend>(), family)
    {
    }
    ~Run()
    {
        // Hidden before they go, as at the end of the program.
        for (QWidget* window : QApplication::topLevelWidgets())
            window->hide();
    }

    QComboBox* box(const char* name) { return uitest::control<QComboBox>(*gpsw, name); }
    QString preselected() const
    {
        return boxes.last().preselected == QuestionAnswer::Second ? QStringLiteral("Lumo")
                                                                  : QStringLiteral("Vexa");
    }
};

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { forgetSettings(); }
    void aSecondRunFindsWhatTheFirstLeft();
    void brokenSettingsAreIgnoredWithOneLine_data();
    void brokenSettingsAreIgnoredWithOneLine();
    void noSettingsNeitherReadsNorWrites();

private:
    QTemporaryDir home_;
};

// The platform's standard place is made a folder of this test's, before anything looks for it.
void SettingsTest::initTestCase()
{
    QVERIFY(home_.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home_.filePath("config")));
}

void SettingsTest::aSecondRunFindsWhatTheFirstLeft()
{
    std::ostringstream err;
    rememberSettings(err);
    QVERIFY2(settingsFile().startsWith(home_.filePath("config")), qPrintable(settingsFile()));
    const QString recordings = home_.filePath("recordings");
    const QString recording = recordings + "/cold start.nmea";
    QVERIFY(QDir().mkpath(recordings) &&
            QFile::copy(NORVANE_TEST_DATA_DIR "/sim_cold_start.nmea", recording));
    QSize accuracySize, replaySize;
    {
        Run first(QuestionAnswer::Second);
        QCOMPARE(first.preselected(), QString("Vexa")); // nothing remembered yet
        first.box("cbComPort")->setCurrentIndex(20);
        first.box("cbBandRate")->setCurrentIndex(7);
        first.gpsw->show();
        first.gpsw->move(260, 140);
        first.gpsw->resize(700, 620);
        uitest::click(*first.gpsw, "btStart");
        QCOMPARE(uitest::control<QPushButton>(*first.gpsw, "btStart")->text(), QString("Off"));
        first.viewp.show();
        first.viewp.move(700, 90);
        first.viewp.resize(500, 420);
        first.gpsw->showAccuracyWindow();
        QWidget* accuracy = &first.ownWindow("PositionAccuracy");
        accuracy->move(30, 60);
        accuracy->resize(accuracy->size() + QSize(100, 80));
        accuracySize = accuracy->size();
        // A replay, once the connection is off: its folder and its window's place stay.
        uitest::click(*first.gpsw, "btStart");
        QVERIFY(first.gpsw->startReplay(recording, 1));
        QWidget* replay = &first.ownWindow("Replay");
        replay->move(40, 520);
        replay->resize(replay->size() + QSize(60, 30));
        replaySize = replay->size();
        uitest::click(*first.gpsw, "btStart");
        QVERIFY(replay->isHidden());
    }
    forgetSettings();

    rememberSettings(err);
    Run second;
    QCOMPARE(second.preselected(), QString("Lumo"));
    QCOMPARE(second.box("cbComPort")->currentText(), QString(" COM21 "));
    QCOMPARE(second.box("cbBandRate")->currentText(), QString("115200"));
    second.gpsw->show();
    second.viewp.show();
    QCOMPARE(second.gpsw->pos(), QPoint(260, 140));
    QCOMPARE(second.gpsw->size(), QSize(700, 620));
    QCOMPARE(second.viewp.pos(), QPoint(700, 90));
    QCOMPARE(second.viewp.size(), QSize(500, 420));
    second.gpsw->showAccuracyWindow();
    QCOMPARE(second.ownWindow("PositionAccuracy").pos(), QPoint(30, 60));
    QCOMPARE(second.ownWindow("PositionAccuracy").size(), accuracySize);
    QCOMPARE(lastFolder(), recordings);
    second.gpsw->openRecording(); // cancelled
    QCOMPARE(second.boxes.last().kind, uitest::RecordedBox::Kind::ChooseFile);
    QCOMPARE(second.boxes.last().caption, recordings);
    QVERIFY(second.gpsw->startReplay(recording, 1));
    QCOMPARE(second.ownWindow("Replay").pos(), QPoint(40, 520));
    QCOMPARE(second.ownWindow("Replay").size(), replaySize);
    QCOMPARE(QString::fromStdString(err.str()), QString());
}

void SettingsTest::brokenSettingsAreIgnoredWithOneLine_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("folder");
    QTest::addColumn<int>("lines");
    QTest::newRow("binary garbage") << QByteArray("\xff\xfe\x00garbage[[[\n=\n[x\n", 20) << false << 1;
    QTest::newRow("an open section") << QByteArray("[connection\nport=COM7\n") << false << 1;
    QTest::newRow("a folder in its place") << QByteArray() << true << 1;
    // Sound as a file, but nothing in it the program can use: no line, just the defaults.
    QTest::newRow("values out of range")
        << QByteArray("[connection]\nport=COM100\nrate=12345\n[receiver]\nfamily=7\n"
                      "[windows]\nmain=@ByteArray(not a geometry)\nviewPoint=@Variant(\\0\\0\\0\\x7f)\n"
                      "[files]\nlastFolder=/no/such/folder\n")
        << false << 0;
}

void SettingsTest::brokenSettingsAreIgnoredWithOneLine()
{
    QFETCH(QByteArray, contents);
    QFETCH(bool, folder);
    QFETCH(int, lines);
    QTemporaryDir dir;
    const QString path = dir.filePath("norvane.conf");
    QVERIFY(folder ? QDir().mkpath(path) : writeFile(path, contents));

    std::ostringstream err;
    rememberSettings(err, path);
    const std::string said = err.str();
    QCOMPARE(int(std::count(said.begin(), said.end(), '\n')), lines);
    if (lines > 0)
        QVERIFY2(said.find(path.toStdString()) != std::string::npos, said.c_str());
    {
        Run run(QuestionAnswer::Second);
        QCOMPARE(run.preselected(), QString("Vexa"));
        QCOMPARE(run.box("cbComPort")->currentText(), QString("  COM3"));
        QCOMPARE(run.box("cbBandRate")->currentText(), QString("  4800"));
        QCOMPARE(run.gpsw->pos(), QPoint(218, 306));
        QCOMPARE(lastFolder(), QString());
    }
    if (folder)
        return;
    // What the run chose has replaced the broken file with a sound one.
    forgetSettings();
    std::ostringstream again;
    rememberSettings(again, path);
    QCOMPARE(QString::fromStdString(again.str()), QString());
    QCOMPARE(rememberedText("receiver/family"), std::optional<QString>("2"));
}

void SettingsTest::noSettingsNeitherReadsNorWrites()
{
    std::ostringstream err;
    rememberSettings(err);
    const QString path = settingsFile();
    rememberText("connection/port", "COM7");
    rememberText("receiver/family", "2");
    const QByteArray before = contentsOf(path);
    QVERIFY(before.contains("COM7"));
    forgetSettings();

    QVERIFY(parseCommandLine({"--no-settings"}).options.noSettings);
    QVERIFY(!parseCommandLine({}).options.noSettings);
    QVERIFY(!rememberingSettings());
    {
        Run run(QuestionAnswer::First);
        QCOMPARE(run.preselected(), QString("Vexa"));
        QCOMPARE(run.box("cbComPort")->currentText(), QString("  COM3"));
        run.box("cbBandRate")->setCurrentIndex(2);
        run.gpsw->show();
        uitest::click(*run.gpsw, "btStart");
        QCOMPARE(uitest::control<QPushButton>(*run.gpsw, "btStart")->text(), QString("Off"));
        rememberFolder(home_.path());
    }
    QCOMPARE(contentsOf(path), before);
}

NORVANE_UI_TEST_MAIN(SettingsTest)
#include "settings_test.moc"
