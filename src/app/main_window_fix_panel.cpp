// The fix panel: the display calls that write the receiver state into the td_ fields.

#include "app/Mpgs.h"
#include "view/fix_panel_format.h"

#include <QLineEdit>

namespace norvane {

namespace {

// Fields hold 8-bit text; a character of code 0 ends it, as the formatting already did.
void writeField(QLineEdit* field, const std::string& text)
{
    field->setText(QString::fromLatin1(text.c_str()));
}

} // namespace

void Tgpsw::showPosition()
{
    writeField(td_lati_sat, latitudeText(records_.receiver.state));
    writeField(td_longi_sat, longitudeText(records_.receiver.state));
}

void Tgpsw::showAltitude()
{
    writeField(td_alti, formatAltitude(records_.receiver.state.altitude));
}

void Tgpsw::showTime()
{
    writeField(td_time, timeText(records_.receiver.state));
}

void Tgpsw::showDate()
{
    writeField(td_date, dateText(records_.receiver.state));
}

void Tgpsw::showSpeed()
{
    writeField(td_speed, formatSpeed(records_.receiver.state.speed_knots));
}

void Tgpsw::showFixMode()
{
    if (const auto text = formatFixMode(records_.receiver.state.fix_mode))
        writeField(td_mode, *text);
}

void Tgpsw::showPdop()
{
    writeField(td_pdop, formatPdop(records_.receiver.state.pdop));
}

} // namespace norvane
