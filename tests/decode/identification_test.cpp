#include "decode/identification.h"
#include "loop_rig.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace norvane::test {
namespace {

// A Lumo version reply as the receiver sends it after the revision query: the frame head, "PLN"
// and the version text, the BCD day, month and year, five unused bytes and the two CRC bytes.
std::string versionReply(std::uint8_t day, std::uint8_t month, std::uint8_t year, std::uint8_t crcSecond,
                         std::uint8_t crcFirst)
{
    std::string reply = "%%\xF1\x05";
    reply += "PLNV01.02.03";
    reply += static_cast<char>(day);
    reply += static_cast<char>(month);
    reply += static_cast<char>(year);
    reply += std::string("\x01\x02\x03\x04\x05", 5);
    reply += static_cast<char>(crcSecond);
    reply += static_cast<char>(crcFirst);
    return reply + "\r\n";
}

TEST(Banners, NameKernelAndVersionLinesFillTheThreeFields)
{
    LoopRig rig;
    rig.tick("$Sky,Norvane evaluation module\r\n"
             "$Kernel: 2.1.07,build 33\r\n"
             "$ver 1.0.4,rev,07101912\r\n$");
    EXPECT_EQ(rig.sink.versions[0], "Sky Kernel Version 2.1.07");
    EXPECT_EQ(rig.sink.versions[1], "Sky Version 1.0.4");
    EXPECT_EQ(rig.sink.versions[2], "Sky Rversion 2007101912");
    const IdentificationTexts& texts = rig.receiver.identification;
    EXPECT_EQ(texts.bannerName, "Sky");
    EXPECT_EQ(texts.kernelVersion, "2.1.07");
    EXPECT_EQ(texts.kernelLine, "1.0.4") << "the kernel line gives way to the version number";
    EXPECT_EQ(texts.versionLine, "$ver 1.0.4,rev,07101912\n");

    // A second version line finds the version number where the kernel line was.
    rig.tick("$ver 1.0.5,rev,07101913\r\n$");
    EXPECT_EQ(rig.sink.versions[0], "Sky Kernel Version ");
    EXPECT_EQ(rig.sink.versions[1], "Sky Version 1.0.5");
    EXPECT_EQ(rig.sink.versions[2], "Sky Rversion 2007101913");
}

TEST(Banners, EveryNameKindAndMissingCommas)
{
    for (const char* name : {"Sky", "Car", "UnI", "Han"}) {
        RecordingSink sink;
        IdentificationTexts texts;
        handleBannerLine(std::string("$") + name + "word,rest\n", texts, sink);
        EXPECT_EQ(texts.bannerName, std::string(name) + "word");
        EXPECT_TRUE(sink.versionWrites.empty()) << "a name line writes no field";
    }

    RecordingSink sink;
    IdentificationTexts texts;
    handleBannerLine("$Skyline without comma\n", texts, sink);
    EXPECT_EQ(texts.bannerName, "");
    handleBannerLine("$version text\n", texts, sink);
    EXPECT_EQ(sink.versions[0], " Kernel Version ");
    EXPECT_EQ(sink.versions[1], " Version ");
    EXPECT_EQ(sink.versions[2], " Rversion 20rsion te") << "without \"rev,\" the eight start at position 4";
}

TEST(Banners, DatedVersionLineShowsItsDigitsAsTheyStand)
{
    RecordingSink sink;
    IdentificationTexts texts;
    handleBannerLine("$PLC,PLNV01.02.03 071019 235958\n", texts, sink);
    EXPECT_EQ(sink.versions[0], "PLNV01.02.03");
    EXPECT_EQ(sink.versions[1], "2007/10/19");
    EXPECT_EQ(sink.versions[2], "23:59:58");

    handleBannerLine("$PLC,PLNV01\n", texts, sink);
    EXPECT_EQ(sink.versions[0], "PLNV01\n");
    EXPECT_EQ(sink.versions[1], "20//");
    EXPECT_EQ(sink.versions[2], "::");
}

TEST(VersionReply, GluedToAValidGgaItIsDecodedAndFillsTheFieldsOnce)
{
    LoopRig rig;
    rig.tick(kRecordedGga + "\r\n" + versionReply(0x31, 12, 8, 0xB3, 0x0A) + "$");
    EXPECT_EQ(rig.sink.calls, (std::vector<std::string>{"showPosition", "showAltitude", "showTime"}));
    EXPECT_EQ(rig.sink.versions[0], "PLNV01.02.03");
    EXPECT_EQ(rig.sink.versions[1], "2008/12/31");
    EXPECT_EQ(rig.sink.versions[2], "       CRC: A B3");
    EXPECT_EQ(rig.sink.versionWrites.size(), 3u);

    // While td_vers1 holds a text another reply changes nothing.
    rig.tick(kRecordedGga + "\r\n" + versionReply(0x19, 10, 7, 0x01, 0x02) + "$");
    EXPECT_EQ(rig.sink.versionWrites.size(), 3u);

    // Once the fields are emptied the next reply fills them again, td_vers3 with the CRC text only.
    for (std::string& text : rig.sink.versions)
        text.clear();
    rig.tick(kRecordedGga + "\r\n" + versionReply(0x19, 10, 7, 0x01, 0x02) + "$");
    EXPECT_EQ(rig.sink.versions[1], "2007/10/19");
    EXPECT_EQ(rig.sink.versions[2], "       CRC: 2 1");
}

TEST(VersionReply, CrcTextIsAppendedToWhatTdVers3Holds)
{
    RecordingSink sink;
    sink.versions[2] = "kept";
    checkVersionReply(kRecordedGga + versionReply(0x31, 12, 8, 0xB3, 0x0A) + "\n", "%", sink);
    EXPECT_EQ(sink.versions[2], "kept       CRC: A B3");
}

TEST(VersionReply, DateBytesAreSignedAndCrcBytesUnsigned)
{
    RecordingSink sink;
    checkVersionReply(versionReply(0x99, 0x80, 0xFF, 0xFF, 0x80) + "\n", "%%", sink);
    // 0x99 is -103 as a signed byte: -103 - (-6 * 6) = -67.
    EXPECT_EQ(sink.versions[1], "20-1/-128/-67");
    EXPECT_EQ(sink.versions[2], "       CRC: 80 FF");
}

TEST(VersionReply, AShortReplyOrAMissingMarkerChangesNothing)
{
    const std::string whole = versionReply(0x31, 12, 8, 0xB3, 0x0A);
    // "PLN" stands at position 5; its CRC bytes at 25 and 26.
    for (std::size_t length : {std::size_t{0}, std::size_t{4}, std::size_t{16}, std::size_t{25}}) {
        RecordingSink sink;
        checkVersionReply(whole.substr(0, length), "%%", sink);
        EXPECT_TRUE(sink.versionWrites.empty()) << length;
    }
    RecordingSink sink;
    checkVersionReply(whole.substr(0, 26), "%%", sink);
    EXPECT_EQ(sink.versions[2], "       CRC: A B3") << "the shortest whole reply";

    // A sentence with a bad checksum needs "%%": a single '%' is not a reply.
    LoopRig rig;
    std::string reply = versionReply(0x31, 12, 8, 0xB3, 0x0A);
    reply.erase(0, 1);
    rig.tick("$GPXYZ,broken*00" + reply + "$");
    EXPECT_TRUE(rig.sink.versionWrites.empty());
    rig.tick("$GPXYZ,broken*00" + versionReply(0x31, 12, 8, 0xB3, 0x0A) + "$");
    EXPECT_EQ(rig.sink.versions[1], "2008/12/31");
}

TEST(VersionReply, WithoutPlnTheFieldsAreCutFromTheStart)
{
    RecordingSink sink;
    std::string text = "%%abcdefghi";       // positions 1 to 11
    text += std::string("\x12\x05\x09", 3); // 12 to 14: day, month, year
    text += "vwxyz";                        // 15 to 19
    text += std::string("\xC4\x7E", 2);     // 20 and 21: CRC shown second, first
    checkVersionReply(text, "%%", sink);
    EXPECT_EQ(sink.versions[0], "%%abcdefghi\x12");
    EXPECT_EQ(sink.versions[1], "2009/05/12");
    EXPECT_EQ(sink.versions[2], "       CRC: 7E C4");
}

} // namespace
} // namespace norvane::test
