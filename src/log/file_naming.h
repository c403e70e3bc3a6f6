#pragma once

#include <ctime>
#include <string>

namespace norvane {

// "YYYYMMDD-hhmmss" of a moment in local time, like the user's own clock; empty when the
// moment has no local time.
std::string localTimeStamp(std::time_t moment);

// The first of `stem` + `extension`, `stem` + "-2" + `extension`, "-3" ... that names no
// file yet, so that a file the program makes never takes the place of one already there.
std::string freePath(const std::string& stem, const std::string& extension);

} // namespace norvane
