// A recorded receiver log played back a second at a time: one burst runs from a GGA sentence up
// to the next GGA, as a receiver sends a fix's sentences together.
#pragma once

#include <string>
#include <vector>

namespace norvane::sim {

class ReplaySource {
public:
    // Splits the text into bursts; false when it holds no line at all.
    bool loadText(const std::string& text);
    bool loadFile(const std::string& path);

    // The next burst, each line ending in CR LF; starts over after the last one.
    std::vector<std::string> nextBurst();
    std::size_t burstCount() const { return bursts_.size(); }

private:
    std::vector<std::vector<std::string>> bursts_;
    std::size_t next_ = 0;
};

} // namespace norvane::sim
