// The raw log through the window: SaveLog and StopSave around ticks of known receiver output,
// the exact bytes of gpslog.txt, and a log that cannot be created.

#include "app/Mpgs.h"
#include "app/message_boxes.h"
#include "support/nmea_sentence.h"
#include "ui/support/connected_window.h"
#include "ui/support/controls.h"
#include "ui/support/scripted_message_boxes.h"
#include "ui/support/ui_test_main.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

using namespace norvane;
using uitest::RecordedBox;
using uitest::ScriptedMessageBoxes;

namespace {

const std::string kGga = test::nmea("GPGGA,120000.000,2459.2057,N,12130.1234,E,1,08,1.0,56.3,M,15.2,M,,");
const std::string kGsa = test::nmea("GPGSA,A,3,02,05,,,,,,,,,,,1.9,1.0,1.5");
const std::string kRmc = test::nmea("GPRMC,120001.000,A,2459.2057,N,12130.1234,E,0.00,0.00,191007,,,A");
const std::string kGsv = test::nmea("GPGSV,1,1,01,02,45,090,40");

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll();
}

// A connected window on a fake port, working in its own directory.
struct LoggingWindow : uitest::ConnectedWindow {
    LoggingWindow() { QDir::setCurrent(dir.path()); }
    ~LoggingWindow() { QDir::setCurrent(QDir::tempPath()); }
    QString logPath() const { return dir.filePath("gpslog.txt"); }

    QTemporaryDir dir;
};

} // namespace

class RawLogTest : public QObject {
    Q_OBJECT

private slots:
    void savedTicksGiveExactlyTheExpectedBytes();
    void theFixPanelShowsTheKnownInputInItsFormats();
    void savingAgainKeepsTheEarlierLog();
    void appendWritesOnlyWhileSaving();
    void logThatCannotBeCreatedShowsOpenFileError();
};

void RawLogTest::savedTicksGiveExactlyTheExpectedBytes()
{
    LoggingWindow w;
    QVERIFY(w.records.link.isOpen());
    QVERIFY(uitest::control<QPushButton>(w.window, "bt_savelog")->isEnabled());
    w.tick(kGga + "\r\n" + kGsa + "\r\n"); // before saving: nothing reaches the file

    QTest::mouseClick(uitest::control<QPushButton>(w.window, "bt_savelog"), Qt::LeftButton);
    QCOMPARE(uitest::control<QPushButton>(w.window, "bt_savelog")->text(), QString("StopSave"));
    QVERIFY(QFile::exists(w.logPath()));
    w.tick(kRmc + "\r\n$GPG");
    // Bytes between the CR LF and the next '$' (a reply, say) stay on the sentence's line.
    w.tick("SV,1,1,01,02,45,090,40*" + kGsv.substr(kGsv.size() - 2) + "\r\nOK\xB3$");
    QTest::mouseClick(uitest::control<QPushButton>(w.window, "bt_savelog"), Qt::LeftButton);
    QCOMPARE(uitest::control<QPushButton>(w.window, "bt_savelog")->text(), QString("SaveLog"));
    w.tick(kGga + "\r\n$"); // after saving: nothing more

    const std::string expected = kGsa + "\r\n" + kRmc + "\r\n" + kGsv + "OK\xB3\r\n";
    QCOMPARE(fileBytes(w.logPath()), QByteArray::fromStdString(expected));
}

void RawLogTest::theFixPanelShowsTheKnownInputInItsFormats()
{
    LoggingWindow w;
    w.tick(kGga + "\r\n" + kGsa + "\r\n" + kRmc + "\r\n$");
    Tgpsw& window = w.window;
    QCOMPARE(uitest::control<QLineEdit>(window, "td_lati_sat")->text(), QString("N24\"59'12.34"));
    QCOMPARE(uitest::control<QLineEdit>(window, "td_longi_sat")->text(), QString("E121\"30'07.40"));
    QCOMPARE(uitest::control<QLineEdit>(window, "td_alti")->text(), QString("    56.3M"));
    QCOMPARE(uitest::control<QLineEdit>(window, "td_time")->text(), QString("20:00:01"));
    QCOMPARE(uitest::control<QLineEdit>(window, "td_date")->text(), QString("2007/10/19"));
    QCOMPARE(uitest::control<QLineEdit>(window, "td_mode")->text(), QString("  3D"));
    QCOMPARE(uitest::control<QLineEdit>(window, "td_pdop")->text(), QString("1.9"));
    QCOMPARE(uitest::control<QLineEdit>(window, "td_speed")->text(), QString("     0.0"));
    QCOMPARE(window.memoLineCount(), 4); // the empty text before the first '$', then three sentences
}

// SaveLog twice: gpslog.txt starts empty again, and the first log is kept beside it.
void RawLogTest::savingAgainKeepsTheEarlierLog()
{
    LoggingWindow w;
    QTest::mouseClick(uitest::control<QPushButton>(w.window, "bt_savelog"), Qt::LeftButton);
    w.tick(kGga + "\r\n$");
    QTest::mouseClick(uitest::control<QPushButton>(w.window, "bt_savelog"), Qt::LeftButton);
    const QByteArray first = fileBytes(w.logPath());
    QCOMPARE(first, QByteArray::fromStdString("\r\n" + kGga + "\r\n"));
    QTest::mouseClick(uitest::control<QPushButton>(w.window, "bt_savelog"), Qt::LeftButton);
    QCOMPARE(fileBytes(w.logPath()), QByteArray());
    w.tick(kRmc.substr(1) + "\r\n$");
    QTest::mouseClick(uitest::control<QPushButton>(w.window, "bt_savelog"), Qt::LeftButton);
    QCOMPARE(fileBytes(w.logPath()), QByteArray::fromStdString(kRmc + "\r\n"));
    const QStringList kept = QDir(w.dir.path()).entryList({"gpslog-*.txt"}, QDir::Files);
    QCOMPARE(kept.size(), 1);
    QVERIFY2(QRegularExpression("^gpslog-\\d{8}-\\d{6}\\.txt$").match(kept.first()).hasMatch(),
             qPrintable(kept.first()));
    QCOMPARE(fileBytes(w.dir.filePath(kept.first())), first);
}

void RawLogTest::appendWritesOnlyWhileSaving()
{
    LoggingWindow w;
    w.records.receiver.sentenceText = "$GPGGA,partial";
    w.window.appendRawLog("01.flashscrc Open OK\n");
    QCOMPARE(w.records.receiver.sentenceText, std::string("$GPGGA,partial"));

    QTest::mouseClick(uitest::control<QPushButton>(w.window, "bt_savelog"), Qt::LeftButton);
    w.window.appendRawLog("01.flashscrc Open OK\n");
    QCOMPARE(w.records.receiver.sentenceText, std::string("01.flashscrc Open OK\n"));
    w.window.appendRawLog(""); // an empty text writes the sentence text as it stands
    QTest::mouseClick(uitest::control<QPushButton>(w.window, "bt_savelog"), Qt::LeftButton);
    QCOMPARE(fileBytes(w.logPath()), QByteArray("01.flashscrc Open OK\r\n01.flashscrc Open OK\r\n"));
}

void RawLogTest::logThatCannotBeCreatedShowsOpenFileError()
{
    LoggingWindow w;
    // Root writes into read-only directories; a directory in the file's place stops everyone.
    if (::geteuid() == 0)
        QVERIFY(QDir(w.dir.path()).mkdir("gpslog.txt"));
    else
        QVERIFY(QFile::setPermissions(w.dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    QTest::mouseClick(uitest::control<QPushButton>(w.window, "bt_savelog"), Qt::LeftButton);
    QFile::setPermissions(w.dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    QCOMPARE(w.boxes.last().kind, RecordedBox::Kind::Inform);
    QCOMPARE(w.boxes.last().text, QString("Open File Error"));
    QCOMPARE(w.boxes.last().caption, applicationTitle());
    QCOMPARE(uitest::control<QPushButton>(w.window, "bt_savelog")->text(), QString("SaveLog"));
    QVERIFY(!w.records.rawLog.isOpen());
    w.tick(kGga + "\r\n$"); // the receive loop goes on without a log
    QCOMPARE(uitest::control<QLineEdit>(w.window, "td_alti")->text(), QString("    56.3M"));
}

NORVANE_UI_TEST_MAIN(RawLogTest)
#include "raw_log_test.moc"
