#include "control/restart_commands.h"

#include "control/command_sending.h"
#include "decode/receiver_state.h"
#include "serial/serial_link.h"

#include <cmath>
#include <limits>

namespace norvane {

namespace {

// ddmm.mmmm cut towards zero. A value no integer can hold (only a corrupt sentence gives one)
// is sent as 0 instead of overflowing the conversion.
int wholeDegreesAndMinutes(double value)
{
    if (!std::isfinite(value) || std::fabs(value) >= static_cast<double>(std::numeric_limits<int>::max()))
        return 0;
    return static_cast<int>(value);
}

} // namespace

RestartFix restartFixFromState(const ReceiverState& state)
{
    RestartFix fix;
    fix.year = state.date_year;
    fix.month = state.date_month;
    fix.day = state.date_day;
    fix.hour = state.utc_hour;
    fix.minute = state.utc_minute;
    fix.second = state.utc_second;
    fix.latitude = wholeDegreesAndMinutes(state.latitude);
    fix.longitude = wholeDegreesAndMinutes(state.longitude);
    return fix;
}

void restartReset(Receiver& receiver, RestartHost& host)
{
    host.setTimer1Enabled(false);
    receiver.ttffTicks = 0;
    resetSatellites(receiver.state);
    host.clearRestartDisplay();
}

RestartCommands::RestartCommands(SerialLink& link, Receiver& receiver, RestartHost& host)
    : link_(link), receiver_(receiver), host_(host)
{
}

bool RestartCommands::isFamily(int family) const
{
    return receiver_.state.receiver_family == family;
}

bool RestartCommands::sendVexaRestart(RestartKind kind)
{
    return sendVexaRestartFrame(link_, kind, restartFixFromState(receiver_.state));
}

// Cold keeps the receive loop running while it waits and leaves it alone when the receiver
// does not answer; only its own button is held off.
void RestartCommands::cold()
{
    host_.setColdButtonEnabled(false);
    if (isFamily(kVexaFamily)) {
        if (sendVexaRestart(RestartKind::Cold)) {
            restartReset(receiver_, host_);
            host_.setTimer1Enabled(true);
            host_.memoAddLine("Cold Start Success.");
        } else {
            host_.memoAddLine("Cold Start fail");
        }
    }
    if (isFamily(kLumoFamily)) {
        link_.purgeInput();
        link_.purgeInput();
        sendLumoColdRestart(link_);
        purgeAndSettle(link_);
        host_.resetMainWindow();
        host_.setTimer1Enabled(true);
    }
    host_.setColdButtonEnabled(true);
}

void RestartCommands::warm()
{
    host_.setTimer1Enabled(false);
    if (isFamily(kVexaFamily)) {
        if (sendVexaRestart(RestartKind::Warm)) {
            restartReset(receiver_, host_);
            host_.memoAddLine("Warm Start Success.");
        } else {
            host_.memoAddLine("Warm Start fail.");
        }
    }
    if (isFamily(kLumoFamily)) {
        link_.purgeInput();
        sendLumoWarmRestart(link_);
        host_.resetMainWindow();
    }
    host_.setTimer1Enabled(true);
}

void RestartCommands::hot()
{
    host_.setTimer1Enabled(false);
    if (isFamily(kVexaFamily)) {
        if (sendVexaRestart(RestartKind::Hot)) {
            restartReset(receiver_, host_);
            host_.setTimer1Enabled(true);
            host_.memoAddLine("Hot Start Success.");
        } else {
            host_.memoAddLine("Hot Start fail.");
        }
    }
    if (isFamily(kLumoFamily)) {
        link_.purgeInput();
        sendLumoHotRestart(link_);
        host_.resetMainWindow();
    }
    host_.setTimer1Enabled(true);
}

} // namespace norvane
