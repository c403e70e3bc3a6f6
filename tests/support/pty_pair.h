#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace norvane {

// The line settings of a pseudo-terminal as the master sees them, in plain terms.
struct PtyLineState {
    unsigned rate = 0;
    int dataBits = 0;
    bool parity = false;
    bool twoStopBits = false;
    bool rtsCtsFlow = false;
    bool xonXoffOutput = false; // IXON: our output stops on XOFF
    bool xonXoffInput = false;  // IXOFF: the line is sent XOFF when our queue fills
    bool echo = false;
    bool canonical = false;
    bool signalKeys = false; // ISIG: Ctrl-C and the like raise signals (not named "signals", a Qt keyword)
    bool translatesCrNl = false; // any of ICRNL, INLCR, IGNCR
    bool outputProcessing = false;
    bool localLine = false;
    bool receiverOn = false;
};

// A pseudo-terminal standing in for a receiver on a serial port. The test keeps the master;
// the slave is the port the link opens, reached through NORVANE_COMn (see exposeAs).
// The pair also keeps one descriptor of the slave open, so the device does not hang up while the
// link closes and reopens it; throws std::runtime_error when no pseudo-terminal can be had.
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    const std::string& slavePath() const { return slavePath_; }
    int masterFd() const { return master_; }

    // Sets NORVANE_COM<number> to the slave path until destruction; returns "COM<number>".
    std::string exposeAs(int number);

    // Bytes from the "receiver": all of them are written to the master.
    bool send(std::string_view bytes);
    // Waits, up to about `timeoutMs`, until the slave holds at least `count` received bytes.
    bool waitQueued(std::size_t count, int timeoutMs = 5000);
    // What the link wrote: waits up to `timeoutMs` for `count` bytes, returns what came.
    std::string receive(std::size_t count, int timeoutMs = 5000);

    PtyLineState lineState() const;
    // Sets the line as another program might have left it: two stop bits, cooked mode with echo,
    // CR/NL translation and output processing, 2400 baud, and the flow control given.
    bool presetCookedLine(bool rtsCtsFlow, bool xonXoffFlow);

    // The receiver goes away: the slave side hangs up.
    void closeMaster();

private:
    int master_ = -1;
    int slaveKeepalive_ = -1;
    std::string slavePath_;
    std::optional<std::string> exposedVariable_;
};

} // namespace norvane
