#include "sim/replay_source.h"

#include "sim/nmea_sentence.h"

#include <fstream>
#include <sstream>

namespace norvane::sim {

namespace {

constexpr int kDayMs = 86400 * 1000;
constexpr std::size_t kUntimedBurstBytes = 1000;

struct LineTime {
    bool gga = false;
    std::optional<int> timeMs;
};

bool digitsAt(const std::string& text, std::size_t from, std::size_t count)
{
    for (std::size_t i = from; i < from + count; ++i)
        if (i >= text.size() || text[i] < '0' || text[i] > '9')
            return false;
    return true;
}

bool isHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// "hhmmss" with any decimals, in milliseconds of the day.
std::optional<int> timeOfDay(const std::string& field)
{
    if (!digitsAt(field, 0, 6) || (field.size() > 6 && field[6] != '.') ||
        (field.size() > 7 && !digitsAt(field, 7, field.size() - 7)))
        return std::nullopt;
    const int hours = std::stoi(field.substr(0, 2)), minutes = std::stoi(field.substr(2, 2)),
              seconds = std::stoi(field.substr(4, 2));
    if (hours > 23 || minutes > 59 || seconds > 60)
        return std::nullopt;
    int ms = 0;
    for (std::size_t i = 7, scale = 100; i < field.size(); ++i, scale /= 10)
        ms += (field[i] - '0') * static_cast<int>(scale);
    return std::min(((hours * 60 + minutes) * 60 + seconds) * 1000 + ms, kDayMs - 1);
}

// A line the receiver sends with a sound checksum tells its type and time; others tell nothing.
LineTime timeOfLine(const std::string& line)
{
    LineTime result;
    const std::size_t star = line.rfind('*');
    if (line.size() < 7 || line[0] != '$' || star == std::string::npos || star + 3 > line.size() ||
        !isHex(line[star + 1]) || !isHex(line[star + 2]))
        return result;
    const std::string body = line.substr(1, star - 1);
    if (std::stoul(line.substr(star + 1, 2), nullptr, 16) != nmeaChecksum(body))
        return result;
    std::vector<std::string> fields;
    std::istringstream split(body);
    for (std::string field; std::getline(split, field, ',');)
        fields.push_back(field);
    const std::string type = body.substr(2, 3);
    const std::size_t timeField = type == "GLL"                                                        ? 5
                                  : (type == "GGA" || type == "RMC" || type == "GNS" || type == "ZDA") ? 1
                                                                                                       : 0;
    result.gga = type == "GGA";
    if (timeField > 0 && timeField < fields.size())
        result.timeMs = timeOfDay(fields[timeField]);
    return result;
}

} // namespace

void ReplaySource::addLine(const std::string& line)
{
    const LineTime time = timeOfLine(line);
    Burst* current = bursts_.empty() ? nullptr : &bursts_.back();
    const bool paced = current && (current->timeMs || current->hasGga);
    bool starts = !current;
    if (time.timeMs)
        starts = starts || (paced && current->timeMs != time.timeMs);
    else if (time.gga)
        starts = starts || paced;
    else
        starts = starts || (!paced && current->bytes + line.size() + 2 > kUntimedBurstBytes);
    if (starts)
        bursts_.emplace_back();
    Burst& burst = bursts_.back();
    if (time.timeMs && !burst.timeMs)
        burst.timeMs = time.timeMs;
    burst.hasGga = burst.hasGga || time.gga;
    burst.lines.push_back(line + "\r\n");
    burst.bytes += line.size() + 2;
}

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
        if (!line.empty() && line[0] != '#')
            addLine(line);
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
    std::vector<std::string> burst = bursts_[next_].lines;
    next_ = (next_ + 1) % bursts_.size();
    return burst;
}

double ReplaySource::secondsToNextBurst() const
{
    if (bursts_.empty() || next_ == 0)
        return 1.0;
    const auto& before = bursts_[next_ - 1].timeMs;
    const auto& after = bursts_[next_].timeMs;
    if (!before || !after)
        return 1.0;
    const int gap = ((*after - *before) % kDayMs + kDayMs) % kDayMs;
    return gap <= 60 * 1000 ? gap / 1000.0 : 1.0;
}

} // namespace norvane::sim
