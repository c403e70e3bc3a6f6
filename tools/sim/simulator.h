// A stand-in for a GPS receiver module on a pseudo-terminal: the program opens the slave side as
// if it were a serial port, and the simulator drives the master side on a thread of its own.
//
// The receiver is understood only at its own rate (SimulatorOptions::rate); at any other rate the
// program hears garbage without a "$G" in it, and what it sends is garbage to the receiver. Once
// a second of simulator time it sends GGA, GSA, a GSV group and RMC; it answers restart frames of
// both families, the second family's revision query and the firmware download protocol.
#pragma once

#include "sim/simulator_options.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace norvane::sim {

// What the simulator has done so far, for tests that cannot watch the line.
struct SimulatorCounters {
    double simSeconds = 0;        // simulator time when the counters were read
    std::uint64_t bytesSent = 0;  // bytes put on the line, garbled ones included
    std::uint64_t bytesTaken = 0; // bytes taken from the line
    int burstsSent = 0;
    int framesAnswered = 0; // sound command frames (acknowledged, refused or acted on)
    int framesRejected = 0; // wrong length, checksum or end bytes
    int restarts = 0;
};

class Simulator {
public:
    explicit Simulator(SimulatorOptions options);
    ~Simulator(); // stops
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // Opens the pseudo-terminal (and the link, when asked for) and starts the thread. False,
    // with lastError(), when an option is unusable or the device cannot be made.
    bool start();
    // Ends the thread and removes the device; returns promptly whatever the line is doing.
    void stop();
    // Pulls the plug: the device goes away while the program may still hold it, so its reads
    // give EOF or EIO. The simulator sends nothing more.
    void unplug();

    std::string devicePath() const; // the slave, e.g. /dev/pts/7; stays readable after stop()
    std::string lastError() const;

    int restartsSeen() const;
    char fixMode() const;        // '1', '2' or '3' as the latest GSA carried it
    int lineRate() const;        // the slave's rate as last polled
    bool downloadActive() const; // in download mode: no NMEA output
    SimulatorCounters counters() const;

    // The firmware image taken in the current or last download.
    std::vector<std::uint8_t> receivedImage() const;
    // The last download ended with "END".
    bool downloadFinished() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace norvane::sim
