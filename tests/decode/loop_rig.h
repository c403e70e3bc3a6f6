#pragma once

#include "decode/receive_loop.h"
#include "serial/clock.h"
#include "support/fake_clock.h"
#include "support/fake_port_backend.h"
#include "support/nmea_sentence.h"
#include "support/recording_sink.h"

#include <string>
#include <string_view>

namespace norvane::test {

// A receive loop reading through a serial link over a fake port, with a recording window.
struct LoopRig {
    LoopRig() { fake.link.openLink("COM3", "9600"); }

    // One tick over `bytes` arriving at the port before it.
    int tick(std::string_view bytes = {})
    {
        fake.port->pushIncoming(bytes);
        return loop.tick();
    }

    // Ticks over `bytes` in pieces of at most 1000, the most one read delivers; returns the ticks.
    int tickInPieces(std::string_view bytes)
    {
        int ticks = 0;
        for (std::size_t at = 0; at < bytes.size(); at += kPiece, ++ticks)
            tick(bytes.substr(at, kPiece));
        return ticks;
    }

    static constexpr std::size_t kPiece = 1000;

    FakeClock clock;
    ClockOverride useClock{clock};
    FakeSerialLink fake;
    Receiver receiver;
    ReceiveBuffer buffer{};
    RecordingSink sink{&receiver};
    ReceiveLoop loop{fake.link, receiver, buffer, sink};
};

} // namespace norvane::test
