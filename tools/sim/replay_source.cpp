#include "sim/replay_source.h"

#include <fstream>
#include <sstream>

namespace norvane::sim {

namespace {

bool isGga(const std::string& line)
{
    return line.size() >= 6 && line[0] == '$' && line.compare(3, 3, "GGA") == 0;
}

} // namespace

bool ReplaySource::loadText(const std::string& text)
{
    bursts_.clear();
    next_ = 0;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        // Logs come with LF or CR LF line ends; the line always goes out with CR LF.
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
            line.pop_back();
        if (line.empty())
            continue;
        if (bursts_.empty() || isGga(line))
            bursts_.emplace_back();
        bursts_.back().push_back(line + "\r\n");
    }
    // Lines before the first GGA belong with it rather than standing alone as a second.
    if (bursts_.size() > 1 && !isGga(bursts_[0][0])) {
        bursts_[1].insert(bursts_[1].begin(), bursts_[0].begin(), bursts_[0].end());
        bursts_.erase(bursts_.begin());
    }
    return !bursts_.empty();
}

bool ReplaySource::loadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    std::ostringstream text;
    text << file.rdbuf();
    return loadText(text.str());
}

std::vector<std::string> ReplaySource::nextBurst()
{
    if (bursts_.empty())
        return {};
    std::vector<std::string> burst = bursts_[next_];
    next_ = (next_ + 1) % bursts_.size();
    return burst;
}

} // namespace norvane::sim
