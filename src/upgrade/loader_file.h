#pragma once

#include "upgrade/upgrade_session.h"

#include <cstddef>
#include <string>

namespace norvane {

enum class LoaderFileResult {
    Loaded,
    Missing, // cannot be opened
    Empty,
    TooManyLines, // more than kLoaderRows lines
    LineTooLong,  // a line of more than kLoaderLineMax characters
    NotCrLf,      // a line, the last one included, that does not end in CR LF
    ZeroByte,     // a line holding a zero byte, which would end it early on the wire
};

struct LoaderFileLoad {
    LoaderFileResult result = LoaderFileResult::Loaded;
    int line = 0; // 1-based line that was refused, 0 when the refusal is about the whole file
};

// Splits loader text into rows as it arrives: each line keeps its line feed, loses the
// carriage return before it and ends with a zero byte. Stops at the first line that does not
// fit, so a file is never stored past the rows.
class LoaderLineSplitter {
public:
    explicit LoaderLineSplitter(LoaderLines& lines);

    // False once the text has been refused; later bytes are ignored.
    bool push(const char* text, std::size_t n);
    // The verdict after the last byte.
    LoaderFileLoad finish();

private:
    bool pushByte(char c);
    bool refuse(LoaderFileResult result);

    LoaderLines& lines_;
    int length_ = 0; // bytes of the current line stored so far
    LoaderFileLoad verdict_;
};

// Reads "flash.srec" at path into the rows, with its size as the file system reports it.
LoaderFileLoad loadLoaderFile(const std::string& path, LoaderLines& lines);

} // namespace norvane
