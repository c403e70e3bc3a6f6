#include "control/command_sending.h"

#include "control/acknowledgement_wait.h"
#include "serial/clock.h"
#include "serial/serial_link.h"

namespace norvane {

namespace {

constexpr int kLumoSettleMs = 500;

template <typename Frame> void writeFrame(SerialLink& link, const Frame& frame)
{
    // A failed write is not reported: the receiver then stays silent and the caller sees that.
    link.writeBytes(frame.data(), frame.size());
}

// Drops whatever the receiver sent before the command, so that only its answer is examined.
void purgeIfQueryable(SerialLink& link)
{
    if (link.queryQueued())
        link.purgeInput();
}
} // namespace

void purgeAndSettle(SerialLink& link)
{
    link.purgeInput();
    clock().sleepMs(kLumoSettleMs);
    link.purgeInput();
}

bool sendVexaRestartFrame(SerialLink& link, RestartKind kind, const RestartFix& fix)
{
    purgeIfQueryable(link);
    purgeIfQueryable(link);
    writeFrame(link, buildVexaRestartFrame(kind, fix));
    return awaitAcknowledgement(link, clock().nowMs() + kAcknowledgementTimeoutMs);
}

void sendLumoColdRestart(SerialLink& link)
{
    writeFrame(link, kLumoColdRestart);
}

void sendLumoWarmRestart(SerialLink& link)
{
    purgeAndSettle(link);
    writeFrame(link, kLumoWarmRestart);
}

void sendLumoHotRestart(SerialLink& link)
{
    writeFrame(link, kLumoHotRestart);
    purgeAndSettle(link);
}

void sendVexaQuery(SerialLink& link)
{
    writeFrame(link, kVexaQuery);
}

void sendLumoRevisionQuery(SerialLink& link)
{
    writeFrame(link, kLumoRevisionQuery);
}

} // namespace norvane
