#pragma once

#include "control/command_frames.h"

namespace norvane {

class SerialLink;

// Writes a Vexa restart frame built from the fix and waits for the receiver's acknowledgement.
// True when the acknowledgement head arrived within three seconds.
bool sendVexaRestartFrame(SerialLink& link, RestartKind kind, const RestartFix& fix);

// The Lumo restart frames are not answered; each carries its own purges and pause.
void sendLumoColdRestart(SerialLink& link);
void sendLumoWarmRestart(SerialLink& link);
void sendLumoHotRestart(SerialLink& link);

// Purge input, wait 500 ms, purge input: lets the receiver's reaction to a Lumo frame pass.
void purgeAndSettle(SerialLink& link);

// Written and forgotten; the replies, if any, reach the receive loop.
void sendVexaQuery(SerialLink& link);
void sendLumoRevisionQuery(SerialLink& link);

} // namespace norvane
