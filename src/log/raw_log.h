#pragma once

#include <cstdio>
#include <string>

namespace norvane {

// The raw log file "gpslog.txt": every sentence the receiver sends, one per line, plus the
// upgrade's step lines. Each line feed is stored as CR LF whatever the platform, so a log
// reads the same wherever it was written.
class RawLog {
public:
    static constexpr const char* kFileName = "gpslog.txt";

    RawLog() = default;
    ~RawLog();
    RawLog(const RawLog&) = delete;
    RawLog& operator=(const RawLog&) = delete;

    // Creates the file or empties it; false when it cannot be created. An open log is closed
    // first.
    bool open(const std::string& path = kFileName);
    // Writes out what is buffered and closes; harmless when closed.
    void close();
    bool isOpen() const { return file_ != nullptr; }
    // Writes the text as it stands, each '\n' as CR LF; nothing when closed. Buffered: the
    // text reaches the file at the latest when the log is closed.
    void write(const std::string& text);

private:
    std::FILE* file_ = nullptr;
};

} // namespace norvane
