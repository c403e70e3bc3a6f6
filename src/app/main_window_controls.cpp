// The main window's controls: the control table with its fonts, the names screen readers use,
// and the wiring of the handlers.

#include "app/Mpgs.h"
#include "app/error_box.h"
#include "app/message_log_widget.h"
#include "app/port_list_descriptions.h"
#include "control/ui/Testgps.h"
#include "view/ui/sky_picture.h"
#include "view/ui/snr_chart.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <algorithm>
#include <variant>

namespace norvane {

namespace {

// The fonts of the control table. The named fonts are often missing; each list goes on with
// narrow look-alikes, so that the captions still fit the designed control sizes.
enum class FontRole { Window, MingBold13, MingBold16, NewMingBold13, MingLarge, SansBold11, SansBold13 };

// Ming's Latin letters are half as wide as the font is high. A stand-in is made smaller until
// its letters are no wider, so "  COM3" and "Baud Rate: " still fit their designed boxes.
void fitToHalfWidth(QFont& font, int designedPixels)
{
    if (QFontDatabase::hasFamily(font.families().constFirst()))
        return;
    const QString sample = QStringLiteral("COM Port 9600");
    const int designedWidth = sample.size() * designedPixels / 2;
    while (font.pixelSize() > designedPixels / 2 &&
           QFontMetrics(font).horizontalAdvance(sample) > designedWidth)
        font.setPixelSize(font.pixelSize() - 1);
}

QFont fontFor(FontRole role)
{
    const QStringList sans{"MS Sans Serif", "Microsoft Sans Serif", "DejaVu Sans Condensed", "Sans Serif"};
    const QStringList ming{"細明體", "MingLiU", "AR PL UMing TW", "DejaVu Sans Condensed", "Sans Serif"};
    const QStringList newMing{"新細明體", "PMingLiU", "AR PL UMing TW", "DejaVu Sans Condensed",
                              "Sans Serif"};
    struct Face {
        const QStringList& families;
        int pixels;
        bool bold;
    };
    auto face = [&]() -> Face {
        switch (role) {
        case FontRole::MingBold13:
            return {ming, 13, true};
        case FontRole::MingBold16:
            return {ming, 16, true};
        case FontRole::NewMingBold13:
            return {newMing, 13, true};
        case FontRole::MingLarge:
            return {ming, 32, false};
        case FontRole::SansBold11:
            return {sans, 11, true};
        case FontRole::SansBold13:
            return {sans, 13, true};
        case FontRole::Window:
            break;
        }
        return {sans, 11, false};
    }();
    QFont font;
    font.setFamilies(face.families);
    font.setPixelSize(face.pixels);
    font.setBold(face.bold);
    if (&face.families != &sans)
        fitToHalfWidth(font, face.pixels);
    return font;
}

using ControlSlot =
    std::variant<QLabel * Tgpsw::*, QComboBox * Tgpsw::*, QPushButton * Tgpsw::*, QLineEdit * Tgpsw::*,
                 MessageLogWidget * Tgpsw::*, SkyPicture * Tgpsw::*, SnrChart * Tgpsw::*>;

struct ControlRow {
    ControlSlot slot;
    const char* name;
    QRect place;
    const char* caption;
    FontRole font;
};

template <class Control> Control* makeControl(QWidget* window, const ControlRow& row)
{
    auto* control = new Control(window);
    control->setObjectName(QString::fromLatin1(row.name));
    control->setGeometry(row.place);
    control->setFont(fontFor(row.font));
    if constexpr (std::is_same_v<Control, QLabel> || std::is_same_v<Control, QPushButton>)
        control->setText(QString::fromUtf8(row.caption));
    // Labels size themselves to their caption, so a wider stand-in font does not clip it.
    if constexpr (std::is_same_v<Control, QLabel>)
        control->resize(std::max(row.place.width(), control->sizeHint().width()), row.place.height());
    return control;
}

template <class Control> void placeControl(Tgpsw& window, Control* Tgpsw::*slot, const ControlRow& row)
{
    window.*slot = makeControl<Control>(&window, row);
}

QStringList portItems()
{
    QStringList items;
    for (int port = 1; port <= 99; ++port) {
        const QString trailing = port % 10 == 1 && port > 10 ? QStringLiteral(" ") : QString();
        items << QStringLiteral("%1COM%2").arg(port < 10 ? "  " : " ").arg(port) + trailing;
    }
    return items;
}

const QStringList kRateItems{"  4800", "  7200", "  9600", " 14400", " 19200",
                             " 38400", " 57600", "115200", "128000", ""};

} // namespace

void Tgpsw::createControls()
{
    setObjectName(QStringLiteral("gpsw"));
    setWindowTitle(QStringLiteral("Norvane Ver 0.0.97 2007/10/19"));
    setWindowIcon(QIcon::fromTheme(QStringLiteral("org.norvane.Norvane"),
                                   style()->standardIcon(QStyle::SP_ComputerIcon)));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(fontFor(FontRole::Window));
    move(218, 306);
    setFixedSize(904, 529);

    // The main window as designed: left, top, width, height in client pixels. Image2 follows
    // Image1 so that the grid layer lies on top of the sky layer.
    static const ControlRow kControlTable[] = {
        {&Tgpsw::lbComPort, "lbComPort", {0, 8, 80, 13}, "COM Port :", FontRole::MingBold13},
        {&Tgpsw::cbComPort, "cbComPort", {64, 0, 81, 24}, "", FontRole::MingBold16},
        {&Tgpsw::lbBaudRate, "lbBaudRate", {0, 40, 66, 13}, "Baud Rate: ", FontRole::NewMingBold13},
        {&Tgpsw::cbBandRate, "cbBandRate", {64, 32, 81, 24}, "", FontRole::MingBold16},
        {&Tgpsw::btStart, "btStart", {152, 0, 65, 25}, "Start", FontRole::MingBold16},
        {&Tgpsw::btAutoscan, "btAutoscan", {235, 0, 75, 25}, "AutoScan", FontRole::NewMingBold13},
        {&Tgpsw::bt_change, "bt_change", {224, 0, 97, 25}, "", FontRole::SansBold13},
        {&Tgpsw::bt_point, "bt_point", {327, 0, 87, 25}, "View point", FontRole::SansBold13},
        {&Tgpsw::bt_cold, "bt_cold", {152, 32, 83, 25}, "ColdStart", FontRole::SansBold11},
        {&Tgpsw::bt_warm, "bt_warm", {242, 32, 83, 25}, "WarmStart", FontRole::SansBold11},
        {&Tgpsw::bt_hot, "bt_hot", {331, 32, 83, 25}, "HotStart", FontRole::SansBold11},
        {&Tgpsw::Image1, "Image1", {0, 64, 201, 209}, "", FontRole::Window},
        {&Tgpsw::Image2, "Image2", {0, 64, 201, 209}, "", FontRole::Window},
        {&Tgpsw::td_vers1, "td_vers1", {202, 59, 145, 21}, "", FontRole::Window},
        {&Tgpsw::td_vers2, "td_vers2", {202, 79, 145, 21}, "", FontRole::Window},
        {&Tgpsw::td_vers3, "td_vers3", {202, 99, 145, 21}, "", FontRole::Window},
        {&Tgpsw::bt_savelog, "bt_savelog", {349, 63, 65, 25}, "SaveLog", FontRole::SansBold13},
        {&Tgpsw::bt_refresh, "bt_refresh", {349, 92, 65, 25}, "Upgrade", FontRole::SansBold13},
        {&Tgpsw::Label7, "Label7", {216, 123, 27, 13}, "Mode", FontRole::Window},
        {&Tgpsw::Label9, "Label9", {291, 126, 26, 13}, "TTFF", FontRole::Window},
        {&Tgpsw::Label8, "Label8", {355, 125, 30, 13}, "PDOP", FontRole::Window},
        {&Tgpsw::td_mode, "td_mode", {216, 138, 57, 21}, "", FontRole::Window},
        {&Tgpsw::td_ttff, "td_ttff", {291, 138, 46, 21}, "", FontRole::Window},
        {&Tgpsw::td_pdop, "td_pdop", {355, 137, 46, 21}, "", FontRole::Window},
        {&Tgpsw::Label1, "Label1", {216, 160, 23, 13}, "Date", FontRole::Window},
        {&Tgpsw::Label2, "Label2", {312, 159, 23, 13}, "Time", FontRole::Window},
        {&Tgpsw::td_date, "td_date", {216, 173, 89, 21}, "", FontRole::Window},
        {&Tgpsw::td_time, "td_time", {312, 172, 89, 21}, "", FontRole::Window},
        {&Tgpsw::Label3, "Label3", {216, 194, 38, 13}, "Latitude", FontRole::Window},
        {&Tgpsw::Label4, "Label4", {312, 193, 47, 13}, "Longitude", FontRole::Window},
        {&Tgpsw::td_lati_sat, "td_lati_sat", {216, 208, 89, 21}, "", FontRole::Window},
        {&Tgpsw::td_longi_sat, "td_longi_sat", {312, 207, 89, 21}, "", FontRole::Window},
        {&Tgpsw::Label5, "Label5", {216, 229, 35, 13}, "Altitude", FontRole::Window},
        {&Tgpsw::Label6, "Label6", {312, 227, 31, 13}, "Speed", FontRole::Window},
        {&Tgpsw::td_alti, "td_alti", {216, 241, 89, 21}, "", FontRole::Window},
        {&Tgpsw::td_speed, "td_speed", {312, 241, 89, 21}, "", FontRole::Window},
        {&Tgpsw::lb_pres, "lb_pres", {4, 231, 16, 32}, "", FontRole::MingLarge},
        {&Tgpsw::Memo1, "Memo1", {0, 264, 489, 121}, "", FontRole::Window},
        {&Tgpsw::Chart1, "Chart1", {-16, 360, 430, 137}, "", FontRole::Window},
        {&Tgpsw::Button1, "Button1", {656, 480, 75, 25}, "Button1", FontRole::Window},
        {&Tgpsw::bt_revision, "bt_revision", {656, 344, 73, 25}, "Revision", FontRole::SansBold13},
        {&Tgpsw::bt_test, "bt_test", {696, 272, 46, 25}, "Test", FontRole::SansBold13},
    };
    for (const ControlRow& row : kControlTable)
        std::visit([&](auto slot) { placeControl(*this, slot, row); }, row.slot);

    // As designed, neither box has a selection: the first reset picks "  COM3" and "  4800".
    cbComPort->addItems(portItems());
    cbComPort->setCurrentIndex(-1);
    cbBandRate->addItems(kRateItems);
    cbBandRate->setCurrentIndex(-1);
    bt_refresh->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    Image2->setWhiteTransparent(true);
    Image2->raise();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(300);

    nameControlsForAccessibility();
    createReplayWindow();
}

// Screen readers, and tests that drive the real window, find every field by the label that
// names it.
void Tgpsw::nameControlsForAccessibility()
{
    const std::pair<QLabel*, QLineEdit*> labelled[] = {
        {Label7, td_mode},      {Label9, td_ttff}, {Label8, td_pdop},
        {Label1, td_date},      {Label2, td_time}, {Label3, td_lati_sat},
        {Label4, td_longi_sat}, {Label5, td_alti}, {Label6, td_speed},
    };
    for (auto [label, field] : labelled) {
        label->setBuddy(field);
        field->setAccessibleName(label->text());
    }
    td_vers1->setAccessibleName(QStringLiteral("Identification 1"));
    td_vers2->setAccessibleName(QStringLiteral("Identification 2"));
    td_vers3->setAccessibleName(QStringLiteral("Identification 3"));
    Memo1->setAccessibleName(QStringLiteral("Message log"));
    lbComPort->setBuddy(cbComPort);
    lbBaudRate->setBuddy(cbBandRate);
    new PortListDescriptions(cbComPort);
}

void Tgpsw::connectHandlers()
{
    const std::pair<QPushButton*, void (Tgpsw::*)()> clicks[] = {
        {btStart, &Tgpsw::btStartClick},         {btAutoscan, &Tgpsw::btAutoscanClick},
        {bt_change, &Tgpsw::bt_changeClick},     {bt_point, &Tgpsw::bt_pointClick},
        {bt_cold, &Tgpsw::bt_coldClick},         {bt_warm, &Tgpsw::bt_warmClick},
        {bt_hot, &Tgpsw::bt_hotClick},           {bt_savelog, &Tgpsw::bt_savelogClick},
        {bt_refresh, &Tgpsw::bt_refreshClick},   {Button1, &Tgpsw::Button1Click},
        {bt_revision, &Tgpsw::bt_revisionClick}, {bt_test, &Tgpsw::bt_testClick},
    };
    for (auto [button, handler] : clicks)
        connect(button, &QPushButton::clicked, this,
                [this, handler] { runGuarded([&] { (this->*handler)(); }); });
    connect(Timer1, &QTimer::timeout, this, [this] { runGuarded([&] { Timer1Timer(); }); });
    connect(Timer2, &QTimer::timeout, this, [this] { runGuarded([&] { Timer2Timer(); }); });
    connectShortcuts();
    connectReplayWindow();
}

// bt_test and bt_revision lie where the window does not show them; their keys reach them from
// anywhere in the window. Ctrl+T only opens the test window (closing it ends a run), and not
// while bt_test is disabled (a replay); Ctrl+R only works while bt_revision, the second
// family's, is shown and enabled.
void Tgpsw::connectShortcuts()
{
    auto* openTest = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_T), this);
    connect(openTest, &QShortcut::activated, this, [this] {
        runGuarded([&] {
            if (!bt_test->isEnabled())
                return;
            if (bt_test->text() == QLatin1String("Test"))
                bt_testClick();
            else if (Ftest_) {
                Ftest_->raise();
                Ftest_->activateWindow();
            }
        });
    });
    auto* revision = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_R), this);
    connect(revision, &QShortcut::activated, this, [this] {
        runGuarded([&] {
            if (!bt_revision->isHidden() && bt_revision->isEnabled())
                bt_revisionClick();
        });
    });
}

} // namespace norvane
