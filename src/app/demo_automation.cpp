#include "app/demo_automation.h"

#include "app/Mpgs.h"
#include "app/message_boxes.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

namespace norvane {

namespace {

constexpr int kPollMs = 250;
// After the fix shows, a few more ticks fill the sky plot and the SNR chart for the picture.
constexpr int kSettleAfterFixMs = 2500;

class DemoMessageBoxes : public MessageBoxes {
public:
    explicit DemoMessageBoxes(QuestionAnswer family) : family_(family) {}

    void inform(QWidget*, const QString& text, const QString& caption) override
    {
        std::fprintf(stderr, "norvane: box \"%s\" \"%s\"\n", qPrintable(caption), qPrintable(text));
    }

    QuestionAnswer ask(QWidget*, const QString&, const QString&, const QString&, QuestionAnswer) override
    {
        return family_;
    }

private:
    QuestionAnswer family_;
};

// What the unattended run waits for before the picture.
struct DemoRun {
    QString path;
    qint64 deadline = 0;
    // A hot restart after the first fix makes the receiver print its banners, so the picture also
    // shows its identification; the run then waits for the fix to be lost and to come back.
    bool hotStart = false;
    bool restarted = false;
    bool fixLost = false;
};

void saveWhenFixed(Tgpsw& window, DemoRun run);

// The demo drives the window as a person would, through the controls it shows.
template <class Control> Control* control(Tgpsw& window, const char* name)
{
    return window.findChild<Control*>(QLatin1String(name));
}

QString fixModeText(Tgpsw& window)
{
    return control<QLineEdit>(window, "td_mode")->text();
}

void pollAgain(Tgpsw& window, const DemoRun& run)
{
    QTimer::singleShot(kPollMs, &window, [&window, run] { saveWhenFixed(window, run); });
}

void saveWhenFixed(Tgpsw& window, DemoRun run)
{
    const bool timedOut = QDateTime::currentMSecsSinceEpoch() >= run.deadline;
    const bool fixed = fixModeText(window) == QLatin1String("  3D");
    if (run.hotStart && !run.restarted && fixed && !timedOut) {
        run.restarted = true;
        control<QPushButton>(window, "bt_hot")->click();
        return pollAgain(window, run);
    }
    run.fixLost = run.fixLost || fixModeText(window) == QLatin1String("NONE");
    if ((!fixed || (run.restarted && !run.fixLost)) && !timedOut)
        return pollAgain(window, run);
    QTimer::singleShot(fixed ? kSettleAfterFixMs : 0, &window, [&window, path = run.path, fixed] {
        const bool saved = window.grab().save(path);
        std::fprintf(stderr, "norvane: %s, picture %s %s\n", fixed ? "3D fix" : "no fix in time",
                     qPrintable(path), saved ? "saved" : "NOT saved");
        QCoreApplication::exit(fixed && saved ? 0 : 1);
    });
}

} // namespace

DemoAutomation::DemoAutomation()
{
    const QByteArray family = qgetenv("NORVANE_DEMO_FAMILY");
    if (family.isEmpty())
        return;
    boxes_ =
        std::make_unique<DemoMessageBoxes>(family == "2" ? QuestionAnswer::Second : QuestionAnswer::First);
    setMessageBoxes(boxes_.get());
}

DemoAutomation::~DemoAutomation()
{
    if (boxes_)
        setMessageBoxes(nullptr);
}

void DemoAutomation::start(Tgpsw& window)
{
    if (qgetenv("NORVANE_DEMO_AUTOSCAN") == "1")
        QTimer::singleShot(0, &window, [&window] { control<QPushButton>(window, "btAutoscan")->click(); });
    const QString path = qEnvironmentVariable("NORVANE_DEMO_SCREENSHOT");
    if (path.isEmpty())
        return;
    bool ok = false;
    int seconds = qEnvironmentVariableIntValue("NORVANE_DEMO_TIMEOUT", &ok);
    if (!ok || seconds <= 0)
        seconds = 120;
    DemoRun run;
    run.path = path;
    run.deadline = QDateTime::currentMSecsSinceEpoch() + seconds * 1000LL;
    run.hotStart = qgetenv("NORVANE_DEMO_HOTSTART") == "1";
    pollAgain(window, run);
}

} // namespace norvane
