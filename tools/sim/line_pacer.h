// Ten bit times a byte: one start bit, eight data bits, one stop bit. The pacer tells how many
// bytes the line could have carried by now, so nothing crosses it faster than a real one would.
#pragma once

#include <cstddef>

namespace norvane::sim {

class LinePacer {
public:
    // `slack` (seconds) lets a sender that wakes late catch up with a few bytes at once instead
    // of losing line time; an idle line does not bank more than that.
    explicit LinePacer(double slack = 0.01) : slack_(slack) {}

    static double byteSeconds(int rate) { return rate > 0 ? 10.0 / rate : 10.0 / 9600; }

    // Bytes that may cross the line at `now` (seconds) at `rate` bits per second.
    std::size_t allowance(double now, int rate) const;
    // `bytes` crossed the line at `now`.
    void spend(std::size_t bytes, double now, int rate);
    // The earliest time at which at least one more byte may cross.
    double nextByteAt(double now, int rate) const;

private:
    double lineFreeAt(double now) const { return busyUntil_ > now - slack_ ? busyUntil_ : now - slack_; }

    double slack_;
    double busyUntil_ = 0;
};

} // namespace norvane::sim
