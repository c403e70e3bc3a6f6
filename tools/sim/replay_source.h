// A recorded receiver log played back at its own pace. Sentences are grouped into bursts by the
// UTC time that GGA, RMC, GNS, GLL and ZDA carry: a different time starts the next burst, as does
// a GGA without a time once the burst has a GGA or a time (so a log without times gives one
// burst per GGA); lines with neither are grouped up to 1000 bytes. The pause before a burst is
// the difference of the two bursts' times over midnight; more than a minute, or a burst without
// a time, counts as a second, and so does the step from the last burst back to the first.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace norvane::sim {

class ReplaySource {
public:
    // Splits the text into bursts; false when it holds no line at all. '#' lines are comments.
    bool loadText(const std::string& text);
    bool loadFile(const std::string& path);

    // The next burst, each line ending in CR LF; starts over after the last one.
    std::vector<std::string> nextBurst();
    // Seconds from the burst nextBurst() gave last to the one it gives next.
    double secondsToNextBurst() const;
    std::size_t burstCount() const { return bursts_.size(); }

private:
    struct Burst {
        std::vector<std::string> lines;
        std::optional<int> timeMs;
        std::size_t bytes = 0;
        bool hasGga = false;
    };
    void addLine(const std::string& line);

    std::vector<Burst> bursts_;
    std::size_t next_ = 0;
};

} // namespace norvane::sim
