// Reading the simulator's output the way a receiving program would, written independently of
// the simulator's own formatting code.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace norvane::sim::testing {

// '$', body, '*', two hexadecimal digits, CR LF; the digits are the XOR of the body.
inline bool hasValidChecksum(const std::string& sentence)
{
    auto star = sentence.find('*');
    if (sentence.empty() || sentence[0] != '$' || star == std::string::npos || star + 5 != sentence.size())
        return false;
    if (sentence.compare(star + 3, 2, "\r\n") != 0)
        return false;
    unsigned sum = 0;
    for (std::size_t i = 1; i < star; ++i)
        sum ^= static_cast<unsigned char>(sentence[i]);
    unsigned stated = 0;
    if (std::sscanf(sentence.c_str() + star + 1, "%2X", &stated) != 1)
        return false;
    return stated == sum;
}

// The comma-separated fields between the address field and '*' (field 0 is the first after
// the address, as the program numbers them).
inline std::vector<std::string> fieldsOf(const std::string& sentence)
{
    std::vector<std::string> fields;
    auto end = sentence.find('*');
    std::string body = sentence.substr(0, end);
    std::size_t start = body.find(',');
    while (start != std::string::npos) {
        std::size_t next = body.find(',', start + 1);
        fields.push_back(
            body.substr(start + 1, next == std::string::npos ? std::string::npos : next - start - 1));
        start = next;
    }
    return fields;
}

// "$GPGGA,..." -> "GGA"
inline std::string typeOf(const std::string& sentence)
{
    return sentence.size() >= 6 ? sentence.substr(3, 3) : std::string();
}

// The complete lines that begin with '$', each with its CR LF.
inline std::vector<std::string> sentencesIn(const std::string& stream)
{
    std::vector<std::string> lines;
    std::size_t start = stream.find('$');
    while (start != std::string::npos) {
        std::size_t end = stream.find("\r\n", start);
        if (end == std::string::npos)
            break;
        lines.push_back(stream.substr(start, end + 2 - start));
        start = stream.find('$', end);
    }
    return lines;
}

inline bool containsDollarG(const std::string& bytes)
{
    return bytes.find("$G") != std::string::npos;
}

} // namespace norvane::sim::testing
