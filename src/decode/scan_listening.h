#pragma once

#include "serial/serial_link.h"

namespace norvane {

// How long the auto-scan listens at one rate: 700 ms as it always has, and on to 1.1 s in all
// where what it heard could still be a receiver at that rate. A receiver that sends one burst
// a second is then always heard, however little of the second a fast line needs for it.
constexpr int kFirstListenMs = 700;
constexpr int kLongestListenMs = 1100;

// Listens on the link at the rate just set; true when the receiver was heard ('$' 'G' in what
// came). The bytes of both reads are judged together, so a sentence split between them counts.
bool listenForReceiver(SerialLink& link, ReceiveBuffer& buffer);

} // namespace norvane
