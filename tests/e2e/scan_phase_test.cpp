// The auto-scan's listening at one rate against the simulator at 115200, where a second's burst
// takes a few tens of milliseconds: the rate is switched to it at twenty different phases of
// the receiver's second, with and without the identification lines it prints first, and every
// try must hear it. Both clocks run ten times fast, so the forty tries take a few seconds.

#include "decode/scan_listening.h"
#include "serial/clock.h"
#include "sim/simulator.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>
#include <thread>

namespace norvane::test {
namespace {

constexpr double kSpeed = 10;
constexpr int kPhases = 20;
// Tries whose phase falls where one was already tried count too; the cap only keeps a machine
// too busy to hit the phases from running on.
constexpr int kMostTries = 60;

struct Phases : ::testing::TestWithParam<bool> {};

TEST_P(Phases, TheScanHearsAReceiverAt115200WhateverThePhaseOfItsSecond)
{
    sim::SimulatorOptions options;
    options.rate = 115200;
    options.speed = kSpeed;
    options.banners = GetParam();
    sim::Simulator receiver(options);
    ASSERT_TRUE(receiver.start()) << receiver.lastError();
    setenv("NORVANE_COM73", receiver.devicePath().c_str(), 1);
    ScaledClock fast(kSpeed);
    ClockOverride use(fast);
    SerialLink link;
    ASSERT_TRUE(link.openLink("COM73", "9600"));
    ReceiveBuffer buffer{};

    std::set<int> phasesTried;
    int tries = 0;
    while (static_cast<int>(phasesTried.size()) < kPhases && tries < kMostTries) {
        // Away from its rate first, so that coming back is a fresh connection (and prints the
        // identification lines again); what the wrong rate left queued is thrown away.
        ASSERT_TRUE(link.setLineSettings("9600"));
        const int target = [&] {
            const int now = static_cast<int>(std::fmod(receiver.counters().simSeconds, 1.0) * kPhases);
            for (int step = 1; step <= kPhases; ++step)
                if (!phasesTried.count((now + step) % kPhases))
                    return (now + step) % kPhases;
            return now;
        }();
        double phase = 0;
        do {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            phase = std::fmod(receiver.counters().simSeconds, 1.0);
        } while (static_cast<int>(phase * kPhases) != target);
        link.purgeInput();
        ASSERT_TRUE(link.setLineSettings("115200"));
        ++tries;
        phasesTried.insert(static_cast<int>(phase * kPhases));
        EXPECT_TRUE(listenForReceiver(link, buffer))
            << "switched at " << phase << " of the receiver's second";
    }
    EXPECT_EQ(static_cast<int>(phasesTried.size()), kPhases) << tries << " tries";
    link.closePort();
    unsetenv("NORVANE_COM73");
}

INSTANTIATE_TEST_SUITE_P(IdentificationLines, Phases, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "printedFirst" : "none"; });

} // namespace
} // namespace norvane::test
