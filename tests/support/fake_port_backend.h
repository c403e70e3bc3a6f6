#pragma once

#include "serial/port_backend.h"
#include "serial/serial_link.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace norvane {

// A scriptable port for tests of everything that talks through the serial link.
//
//   FakeSerialLink fake;                 // fake.link is a SerialLink over fake.port
//   fake.port->pushIncoming("$GPGGA,...\r\n");
//   fake.link.openLink("COM3", "9600");
//   EXPECT_EQ(fake.port->lastRate, 9600);
//
// or by hand: auto backend = std::make_unique<FakePortBackend>(); auto* port = backend.get();
// SerialLink link(std::move(backend));
//
// Incoming bytes wait in a queue until read or purged; closing an open port empties it. Each
// write is recorded as its own chunk and may trigger onWrite (to answer a command, say).
// The switches make the matching call fail; `unplugged` makes every call fail and reads give
// nothing, as a device that has gone away does.
class FakePortBackend : public PortBackend {
public:
    // --- scripting ---
    void pushIncoming(std::string_view bytes);
    void pushIncoming(const std::vector<std::uint8_t>& bytes);
    std::size_t incomingCount() const { return incoming_.size(); }
    // Every write concatenated, as text.
    std::string writtenText() const;

    // --- switches ---
    bool failOpen = false;
    bool failSettings = false;
    bool failQuery = false;
    bool failWrite = false;
    bool failSetupQueues = false;
    int purgeFailures = 0; // the next this many purges fail
    bool unplugged = false;

    // --- what happened ---
    std::string openedName;                // name of the last successful open
    int openCount = 0;                     // successful opens
    int closeCount = 0;                    // closes of an open port
    int lastRate = 0;                      // rate last applied, 0 before any
    std::vector<int> appliedRates;         // every rate applied, in order
    int purgeCount = 0;                    // purges that succeeded
    int purgeAttempts = 0;                 // all purge calls
    int queryCount = 0;                    // queued-count queries
    std::vector<std::size_t> readRequests; // the count asked for by each read
    std::vector<std::vector<std::uint8_t>> writes;
    int queueSize = 0; // size last passed to setupQueues

    std::function<void(const std::vector<std::uint8_t>& chunk)> onWrite;
    // Called after each successful queued-count query: bytes pushed here arrive just after it.
    std::function<void()> onQuery;

    // --- PortBackend ---
    bool open(const std::string& portName) override;
    bool isOpen() const override { return open_; }
    bool applyLineSettings(int rate) override;
    void close() override;
    bool purgeReceive() override;
    std::optional<std::uint32_t> queuedBytes() override;
    int read(std::uint8_t* dest, std::size_t count) override;
    bool write(const std::uint8_t* data, std::size_t count) override;
    bool setupQueues(int size) override;

private:
    bool usable() const { return open_ && !unplugged; }

    bool open_ = false;
    std::deque<std::uint8_t> incoming_;
};

// A serial link over a fresh fake port; `port` stays valid as long as the link lives.
struct FakeSerialLink {
    FakeSerialLink() : FakeSerialLink(std::make_unique<FakePortBackend>()) {}
    explicit FakeSerialLink(std::unique_ptr<FakePortBackend> backend)
        : port(backend.get()), link(std::move(backend))
    {
    }

    FakePortBackend* port;
    SerialLink link;
};

} // namespace norvane
