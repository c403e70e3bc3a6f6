#include "decode/checksum.h"
#include "support/nmea_sentence.h"

#include <gtest/gtest.h>
#include <string>

namespace norvane {
namespace {

using test::kRecordedGga;

TEST(VerifyChecksum, AcceptsMatchingDigitsInEitherCase)
{
    EXPECT_TRUE(verifyChecksum(kRecordedGga + "\n"));
    EXPECT_TRUE(verifyChecksum("$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39\n"));
    EXPECT_TRUE(verifyChecksum("$GPRMC,092750.000,A,5321.6802,N,00630.3372,W,0.02,31.66,280511,,,A*43\n"));
    // XOR of "GPXYZ" is 0x4C.
    EXPECT_TRUE(verifyChecksum("$GPXYZ*4C\n"));
    EXPECT_TRUE(verifyChecksum("$GPXYZ*4c\n"));
}

TEST(VerifyChecksum, RejectsWrongOrMissingDigits)
{
    EXPECT_FALSE(verifyChecksum("$GPGGA,092750.000,5321.6802,N,00630.3372,W,1,8,1.03,61.7,M,55.2,M,,*77\n"));
    EXPECT_FALSE(verifyChecksum("$GPGGA,092750.001,5321.6802,N,00630.3372,W,1,8,1.03,61.7,M,55.2,M,,*76\n"));
    EXPECT_FALSE(verifyChecksum("GPGGA,092750.000,5321.6802,N,00630.3372,W,1,8,1.03,61.7,M,55.2,M,,*76\n"));
    EXPECT_FALSE(verifyChecksum("$GPXYZ\n"));   // no '*'
    EXPECT_FALSE(verifyChecksum("$GPXYZ*\n"));  // no digits
    EXPECT_FALSE(verifyChecksum("$GPXYZ*4\n")); // one digit
    EXPECT_FALSE(verifyChecksum("$GPXYZ*4G\n"));
    EXPECT_FALSE(verifyChecksum("$\n"));
    EXPECT_FALSE(verifyChecksum("\n"));
    EXPECT_FALSE(verifyChecksum(""));
    EXPECT_FALSE(verifyChecksum("$"));
}

TEST(VerifyChecksum, TheLastCharacterIsNeverPartOfTheSentence)
{
    // Without the appended line feed the second digit would be the last character.
    EXPECT_FALSE(verifyChecksum("$GPXYZ*4C"));
    // A '*' that is the last character is not a '*' of the sentence.
    EXPECT_FALSE(verifyChecksum("$GPXYZ*"));
}

TEST(VerifyChecksum, CharactersAfterTheDigitsPlayNoPart)
{
    EXPECT_TRUE(verifyChecksum(kRecordedGga + "%%\x01\xF1PLN garbage\xB3\x0A\n"));
    EXPECT_TRUE(verifyChecksum(kRecordedGga + "\r\n"));
}

TEST(VerifyChecksum, DigitsThatAreNotHexadecimalReadAsZero)
{
    // "GG" XORs to 0, so a pair that reads as 0 matches it.
    EXPECT_TRUE(verifyChecksum("$GG*00\n"));
    EXPECT_TRUE(verifyChecksum("$GG*zz\n"));
    EXPECT_FALSE(verifyChecksum("$GH*zz\n"));
}

} // namespace
} // namespace norvane
