#include "upgrade/download_texts.h"
#include "upgrade/reply_search.h"

#include <gtest/gtest.h>
#include <string>

namespace norvane {
namespace {

TEST(ProgressTextTest, PercentIsRightAlignedInFourCharacters)
{
    EXPECT_EQ(progressText(50), "Burning  50%");
    EXPECT_EQ(progressText(100), "Burning 100%");
    EXPECT_EQ(progressText(0), "Burning   0%");
}

TEST(ProgressTextTest, ImagePercentUsesTheIntegerPerMille)
{
    EXPECT_EQ(progressText(imagePercent(8192, 20000)), "Burning  70%");  // 409 -> 70.45
    EXPECT_EQ(progressText(imagePercent(16384, 20000)), "Burning  91%"); // 819 -> 90.95
    EXPECT_EQ(progressText(imagePercent(20000, 20000)), "Burning 100%");
    EXPECT_DOUBLE_EQ(imagePercent(1, 20000), 50.0);
}

TEST(ProgressTextTest, LoaderPercentCoversZeroToFortyFive)
{
    EXPECT_DOUBLE_EQ(loaderPercent(0, 3000), 0.0);
    EXPECT_DOUBLE_EQ(loaderPercent(1, 45001), 0.0); // 45000 / 45001 is 0 in integers
    EXPECT_NEAR(loaderPercent(1, 3000), 0.75, 1e-12);
    EXPECT_NEAR(loaderPercent(64, 2925), 49.2, 1e-9); // 64 lines of 45 bytes: 984 per mille
}

TEST(ImageHeaderTest, LoopnumberFormFillsFortySevenCharactersAtMost)
{
    EXPECT_EQ(imageHeader(20000, 7), "BINSIZE = 20000 Checksum = 7 Loopnumber = 1 ");
    const std::string widest = imageHeader(262144, 255);
    EXPECT_EQ(widest, "BINSIZE = 262144 Checksum = 255 Loopnumber = 1 ");
    EXPECT_EQ(widest.size(), static_cast<std::size_t>(kImageHeaderLength));
}

TEST(ImageHeaderTest, FlashStartFormIsAlwaysFortySevenCharacters)
{
    EXPECT_EQ(flashStartHeader(20000, 7), "BINSIZE =  20000 Checksum =   7 FlashStart = 0 ");
    EXPECT_EQ(flashStartHeader(5, 0).size(), 47u);
    EXPECT_EQ(flashStartHeader(262144, 255).size(), 47u);
}

bool search(const std::string& read, const char* reply)
{
    return containsReply(reinterpret_cast<const std::uint8_t*>(read.data()), read.size(), reply);
}

ImageEndReply imageEnd(const std::string& read)
{
    return findImageEndReply(reinterpret_cast<const std::uint8_t*>(read.data()), read.size());
}

TEST(ReplySearchTest, ReplyMustLieWhollyInsideTheRead)
{
    EXPECT_TRUE(search("OK", "OK"));
    EXPECT_TRUE(search("\x01\x02OK", "OK"));
    EXPECT_TRUE(search(std::string("\0OK\0", 4), "OK"));
    EXPECT_FALSE(search("O", "OK"));
    EXPECT_FALSE(search("xO", "OK"));
    EXPECT_FALSE(search("EN", "END"));
    EXPECT_TRUE(search("xxEND", "END"));
    EXPECT_FALSE(search("ok", "OK"));
}

TEST(ReplySearchTest, WhicheverOfEndAndErrStartsFirstWins)
{
    EXPECT_EQ(imageEnd("ENDErr"), ImageEndReply::End);
    EXPECT_EQ(imageEnd("ErrEND"), ImageEndReply::Err);
    EXPECT_EQ(imageEnd("..OK..END"), ImageEndReply::End);
    EXPECT_EQ(imageEnd("OK"), ImageEndReply::None);
    EXPECT_EQ(imageEnd("Er"), ImageEndReply::None);
}

} // namespace
} // namespace norvane
