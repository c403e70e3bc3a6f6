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

    // Starts the file afresh; false when it cannot be created. An open log is closed first. A
    // file already there that holds anything is kept under the name of its last change, as
    // "gpslog-YYYYMMDD-hhmmss.txt" in local time ("-2", "-3" ... when that is taken); when it
    // cannot be kept, nothing is opened and the file stays as it is.
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
