// The program's side of the simulator's line in tests: the slave device opened and set up the
// way the serial link does it (raw bytes, rate through termios2).
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

namespace norvane::sim::testing {

class SlavePort {
public:
    explicit SlavePort(const std::string& path);
    ~SlavePort();
    SlavePort(const SlavePort&) = delete;
    SlavePort& operator=(const SlavePort&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    // Raw 8N1 at any rate, as the program sets it (BOTHER).
    bool setRate(int rate);
    bool write(const std::string& bytes);
    void discardInput();
    // Reads until `done` holds for everything read so far, or `limit` passes (a safety net for a
    // broken simulator, not a measure of speed). Returns what was read.
    std::string readUntil(const std::function<bool(const std::string&)>& done,
                          std::chrono::milliseconds limit = std::chrono::seconds(20));
    // What is there now, without waiting; -1 when the read fails (errno kept).
    long readNow(std::string& into);

private:
    int fd_ = -1;
};

std::string bytesOf(std::initializer_list<std::uint8_t> bytes);

// Waits for a condition on the simulator; the limit only keeps a broken simulator from hanging
// the test run.
bool eventually(const std::function<bool()>& condition,
                std::chrono::milliseconds limit = std::chrono::seconds(20));

// A readUntil condition: `text` is among what was read.
std::function<bool(const std::string&)> contains(const std::string& text);

} // namespace norvane::sim::testing
