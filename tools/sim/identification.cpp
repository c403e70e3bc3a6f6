#include "sim/identification.h"

#include "sim/command_frames.h"
#include "sim/nmea_sentence.h"

#include <cstdint>

namespace norvane::sim {

namespace {

// Day as binary-coded decimal, month and year as plain numbers.
constexpr std::uint8_t kReleaseDay = 0x19, kReleaseMonth = 10, kReleaseYear = 7;
constexpr std::uint8_t kXon = 0x11, kXoff = 0x13;
constexpr std::uint8_t kVersionAnswerId = 0x85;

std::uint16_t crc16(const std::string& bytes)
{
    std::uint16_t crc = 0xFFFF;
    for (unsigned char byte : bytes) {
        crc ^= static_cast<std::uint16_t>(byte << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? static_cast<std::uint16_t>((crc << 1) ^ 0x1021)
                                 : static_cast<std::uint16_t>(crc << 1);
    }
    return crc;
}

} // namespace

std::vector<std::string> bannerLines(bool datedVersionLine)
{
    // The program cuts the kernel number from characters 10 to 19 of its line and the version
    // number from characters 6 to 15, each up to the first ','; the prefixes are sized for that.
    std::vector<std::string> lines{
        std::string("$") + kReceiverName + ",GPS receiver module\r\n",
        std::string("$Kernel: ") + kKernelVersion + ",2007/09/21\r\n",
        std::string("$ver:") + kFirmwareVersion + ",rev," + kFirmwareRevision + "\r\n",
    };
    if (datedVersionLine)
        lines.push_back(std::string("$PLC,") + kPlatformVersion + ",071019,120000\r\n");
    return lines;
}

std::string bootTextSentence()
{
    return nmeaSentence("GPTXT,01,01,02,BOOT OK");
}

std::string versionReply(bool flowControlBytes)
{
    std::string body;
    body += static_cast<char>(kLumoMarker);
    body += static_cast<char>(kVersionAnswerId);
    std::string versionAndDate = kPlatformVersion;
    versionAndDate += static_cast<char>(flowControlBytes ? kXon : kReleaseDay);
    versionAndDate += static_cast<char>(kReleaseMonth);
    versionAndDate += static_cast<char>(flowControlBytes ? kXoff : kReleaseYear);
    body += versionAndDate;
    body += std::string(5, '\0');
    std::uint16_t crc = flowControlBytes ? std::uint16_t{kXoff << 8 | kXon} : crc16(versionAndDate);
    body += static_cast<char>(crc & 0xFF); // shown second by the program
    body += static_cast<char>(crc >> 8);   // shown first
    unsigned char sum = 0;
    for (unsigned char byte : body)
        sum ^= byte;
    std::string reply(2, static_cast<char>(kLumoStart));
    return reply + body + static_cast<char>(sum) + "\r\n";
}

} // namespace norvane::sim
