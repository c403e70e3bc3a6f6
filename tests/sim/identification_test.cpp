#include "sim/identification.h"

#include <gtest/gtest.h>

namespace norvane::sim {
namespace {

// The program's text helpers, 1-based, as the identification handling uses them.
std::string substring(const std::string& text, int start, int count)
{
    if (start < 1)
        start = 1;
    if (start > static_cast<int>(text.size()) || count <= 0)
        return {};
    return text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count));
}

int position(const std::string& text, const std::string& pattern)
{
    auto at = text.find(pattern);
    return at == std::string::npos ? 0 : static_cast<int>(at) + 1;
}

// The sentence text the receive loop hands over: CR LF removed, a line feed appended.
std::string asSentenceText(std::string line)
{
    line.erase(line.size() - 2);
    return line + "\n";
}

TEST(Identification, BannerLinesGiveSensibleTextsUnderTheProgramsCuttingRules)
{
    auto lines = bannerLines(false);
    ASSERT_EQ(lines.size(), 3u);
    for (const auto& line : lines) {
        EXPECT_EQ(line.find('*'), std::string::npos) << line;
        EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
    }
    std::string name = asSentenceText(lines[0]);
    std::string kernel = asSentenceText(lines[1]);
    std::string version = asSentenceText(lines[2]);
    EXPECT_NE(std::string("$Sky$Car$UnI$Han").find(name.substr(0, 4)), std::string::npos);
    EXPECT_EQ(kernel.substr(0, 4), "$Ker");
    EXPECT_EQ(version.substr(0, 4), "$ver");

    std::string bannerName = substring(name, 2, position(name, ",") - 2);
    std::string k = substring(kernel, 10, 10);
    std::string kernelVersion = substring(k, 1, position(k, ",") - 1);
    std::string v = substring(version, 6, 10);
    std::string versionNumber = substring(v, 1, position(v, ",") - 1);
    std::string revision = substring(version, position(version, "rev,") + 4, 8);

    EXPECT_EQ(bannerName + " Kernel Version " + kernelVersion, "SkyWren Kernel Version 1.2.04");
    EXPECT_EQ(bannerName + " Version " + versionNumber, "SkyWren Version 1.4.27");
    EXPECT_EQ(bannerName + " Rversion 20" + revision, "SkyWren Rversion 2007101912");
}

TEST(Identification, DatedVersionLineCarriesVersionDateAndTimeWhereTheProgramCutsThem)
{
    auto lines = bannerLines(true);
    ASSERT_EQ(lines.size(), 4u);
    std::string dated = asSentenceText(lines[3]);
    EXPECT_EQ(dated.substr(0, 4), "$PLC");
    EXPECT_EQ(dated.find('*'), std::string::npos);
    int p = position(dated, "PLN");
    ASSERT_GT(p, 0);
    EXPECT_EQ(substring(dated, p, 12), "PLN2.03-1019");
    EXPECT_EQ("20" + substring(dated, p + 13, 2) + "/" + substring(dated, p + 15, 2) + "/" +
                  substring(dated, p + 17, 2),
              "2007/10/19");
    EXPECT_EQ(substring(dated, p + 20, 2) + ":" + substring(dated, p + 22, 2) + ":" +
                  substring(dated, p + 24, 2),
              "12:00:00");
}

TEST(Identification, VersionReplyHasTheLayoutTheProgramReadsAndNoDollar)
{
    std::string reply = versionReply();
    EXPECT_EQ(reply.find('$'), std::string::npos);
    EXPECT_EQ(reply.substr(0, 2), "%%");
    // Only its own end is a CR LF pair: the receive loop removes every pair it finds.
    EXPECT_EQ(reply.find("\r\n"), reply.size() - 2);
    std::size_t p = reply.find("PLN");
    ASSERT_NE(p, std::string::npos);
    ASSERT_GE(reply.size(), p + 22);
    EXPECT_EQ(reply.substr(p, 12), "PLN2.03-1019");
    EXPECT_EQ(static_cast<unsigned char>(reply[p + 12]), 0x19);
    EXPECT_EQ(reply[p + 13], 10);
    EXPECT_EQ(reply[p + 14], 7);
    // The reply is a second-family frame: its XOR from the 0xF1 byte on matches its checksum.
    EXPECT_EQ(static_cast<unsigned char>(reply[2]), 0xF1);
    unsigned char sum = 0;
    for (std::size_t i = 2; i + 3 < reply.size(); ++i)
        sum ^= static_cast<unsigned char>(reply[i]);
    EXPECT_EQ(sum, static_cast<unsigned char>(reply[reply.size() - 3]));
    EXPECT_EQ(p + 22, reply.size() - 3);
}

} // namespace
} // namespace norvane::sim
