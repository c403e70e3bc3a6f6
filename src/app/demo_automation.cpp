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

    QuestionAnswer ask(QWidget*, const QString&, const QString&, const QString&) override { return family_; }

private:
    QuestionAnswer family_;
};

void saveWhenFixed(Tgpsw& window, const QString& path, qint64 deadline)
{
    const bool fixed = window.td_mode->text() == QLatin1String("  3D");
    if (!fixed && QDateTime::currentMSecsSinceEpoch() < deadline) {
        QTimer::singleShot(kPollMs, &window,
                           [&window, path, deadline] { saveWhenFixed(window, path, deadline); });
        return;
    }
    QTimer::singleShot(fixed ? kSettleAfterFixMs : 0, &window, [&window, path, fixed] {
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
        QTimer::singleShot(0, &window, [&window] { window.btAutoscan->click(); });
    const QString path = qEnvironmentVariable("NORVANE_DEMO_SCREENSHOT");
    if (path.isEmpty())
        return;
    bool ok = false;
    int seconds = qEnvironmentVariableIntValue("NORVANE_DEMO_TIMEOUT", &ok);
    if (!ok || seconds <= 0)
        seconds = 120;
    const qint64 deadline = QDateTime::currentMSecsSinceEpoch() + seconds * 1000LL;
    QTimer::singleShot(kPollMs, &window,
                       [&window, path, deadline] { saveWhenFixed(window, path, deadline); });
}

} // namespace norvane
