// The simulator's end of the line: the master side of a pseudo-terminal, whose slave side the
// program opens as if it were a serial port.
#pragma once

#include <cstddef>
#include <string>

namespace norvane::sim {

class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // Opens a master, non-blocking, and keeps the slave open as well, in raw mode, so that the
    // device and its line settings stay in place while the program closes and reopens it.
    // False with `error` set when that fails. With softwareFlowControl the line keeps XON/XOFF
    // on, as a fresh serial port has it, until the program sets it up.
    bool open(std::string& error, bool softwareFlowControl = false);
    // Links `path` to the slave device, replacing an earlier link there (never another file).
    bool link(const std::string& path, std::string& error);
    // The device goes away: the program's next reads on the slave give EOF or EIO.
    void close();

    bool isOpen() const { return master_ >= 0; }
    int masterFd() const { return master_; }
    const std::string& slavePath() const { return slavePath_; }

    // What the program wrote; 0 when nothing is there, -1 on failure.
    long read(unsigned char* dest, std::size_t size);
    // Writes what the slave side can take now; the rest is lost as on a line whose receiver's
    // buffer is full. Returns the bytes taken.
    std::size_t write(const std::string& bytes);

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
    std::string linkPath_;
};

} // namespace norvane::sim
