#pragma once

#include <string>

namespace norvane {

// Memo1, the program's message log, as the window-free code writes to it: the receive loop, the
// restart commands and the upgrade all add their lines here.
class MessageLog {
public:
    static constexpr int kSentenceLineLimit = 500;

    virtual ~MessageLog() = default;
    virtual int memoLineCount() = 0;
    virtual void memoClear() = 0;
    virtual void memoAddLine(const std::string& line) = 0;

    // The log starts afresh once it holds more than 500 lines, so a receiver that talks for
    // days does not fill the memory. Every received sentence's line comes this way; the window's
    // log also applies it to every other line it is given, so it never holds more than 501 lines.
    void memoClearWhenFull()
    {
        if (memoLineCount() > kSentenceLineLimit)
            memoClear();
    }

    // A received sentence's line.
    void memoAddSentence(const std::string& line)
    {
        memoClearWhenFull();
        memoAddLine(line);
    }
};

// Append to raw log: while saving is on, a non-empty text becomes the receiver's sentence text,
// and the sentence text is written to "gpslog.txt".
class RawLogSink {
public:
    virtual ~RawLogSink() = default;
    virtual void appendRawLog(const std::string& text) = 0;
};

} // namespace norvane
