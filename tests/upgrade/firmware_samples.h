#pragma once

// Loader and image contents made up for tests: sound S-records and deterministic image bytes.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace norvane::upgradetest {

// One S-record without its line end: type digit, 16-bit address, data, ones' complement sum.
inline std::string sRecord(char type, unsigned address, const std::vector<std::uint8_t>& data)
{
    std::vector<std::uint8_t> bytes{static_cast<std::uint8_t>(data.size() + 3),
                                    static_cast<std::uint8_t>(address >> 8),
                                    static_cast<std::uint8_t>(address & 0xFF)};
    bytes.insert(bytes.end(), data.begin(), data.end());
    unsigned sum = 0;
    for (auto byte : bytes)
        sum += byte;
    bytes.push_back(static_cast<std::uint8_t>(~sum & 0xFF));
    std::string line = std::string("S") + type;
    char hex[3];
    for (auto byte : bytes) {
        std::snprintf(hex, sizeof hex, "%02X", byte);
        line += hex;
    }
    return line;
}

// A loader of `count` records: an S0 header, S1 data records and an S9 end. Each line is
// 44 characters at most.
inline std::vector<std::string> loaderRecords(int count)
{
    std::vector<std::string> lines{sRecord('0', 0, {'l', 'o', 'a', 'd'})};
    for (int i = 1; i + 1 < count; ++i) {
        std::vector<std::uint8_t> data;
        for (int k = 0; k < 16; ++k)
            data.push_back(static_cast<std::uint8_t>(i * 7 + k));
        lines.push_back(sRecord('1', static_cast<unsigned>(0x1000 + 16 * i), data));
    }
    if (count > 1)
        lines.push_back(sRecord('9', 0x1000, {}));
    return lines;
}

inline std::string withCrLf(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

// Image bytes that differ from block to block, so a block sent from the wrong slot shows.
inline std::vector<std::uint8_t> imageBytes(std::size_t size)
{
    std::vector<std::uint8_t> bytes(size);
    std::uint32_t x = 2463534242u;
    for (auto& byte : bytes) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        byte = static_cast<std::uint8_t>(x);
    }
    return bytes;
}

inline std::uint8_t byteSum(const std::vector<std::uint8_t>& bytes)
{
    unsigned sum = 0;
    for (auto byte : bytes)
        sum += byte;
    return static_cast<std::uint8_t>(sum);
}

// The image header the upgrade sends before the image, written out here from its layout: the
// Loopnumber form, 47 bytes with its zero padding, and the FlashStart form, 46 and a zero byte.
inline std::string sampleImageHeader(std::size_t size, unsigned sum)
{
    std::string text =
        "BINSIZE = " + std::to_string(size) + " Checksum = " + std::to_string(sum) + " Loopnumber = 1 ";
    text.resize(47, '\0');
    return text;
}

inline std::string sampleFlashStartHeader(std::size_t size, unsigned sum)
{
    char text[64];
    std::snprintf(text, sizeof text, "BINSIZE = %6zu Checksum = %3u FlashStart = 0 ", size, sum);
    return std::string(text) + std::string(1, '\0');
}

inline void writeFile(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

inline void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A fresh directory that is removed with the object.
class TempDirectory {
public:
    TempDirectory()
    {
        static int serial = 0;
        path_ =
            std::filesystem::temp_directory_path() /
            ("norvane-upgrade-" + std::to_string(std::random_device{}()) + "-" + std::to_string(++serial));
        std::filesystem::create_directories(path_);
    }
    ~TempDirectory()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

} // namespace norvane::upgradetest
