#include "decode/text_helpers.h"

#include <gtest/gtest.h>

namespace norvane {
namespace {

TEST(TextToInteger, ReadsDecimalAndHexadecimalNumbers)
{
    EXPECT_EQ(textToInteger("12"), 12);
    EXPECT_EQ(textToInteger("007"), 7);
    EXPECT_EQ(textToInteger("-45"), -45);
    EXPECT_EQ(textToInteger("+45"), 45);
    EXPECT_EQ(textToInteger("   38"), 38);
    EXPECT_EQ(textToInteger("0x7f"), 0x7F);
    EXPECT_EQ(textToInteger("0xB3"), 0xB3);
    EXPECT_EQ(textToInteger("0x0a"), 10);
    EXPECT_EQ(textToInteger("2147483647"), 2147483647);
    EXPECT_EQ(textToInteger("-2147483648"), -2147483647 - 1);
}

TEST(TextToInteger, AnythingThatIsNotExactlyANumberGivesZero)
{
    for (const char* text :
         {"", " ", "-", "+", "12 ", "1.5", "12a", "a12", "0x", "0xg1", "0x-1", "--3", "+-3", "1e3",
          "2147483648", "-2147483649", "99999999999999999999999", "0x1FFFFFFFF", "x12"})
        EXPECT_EQ(textToInteger(text), 0) << '"' << text << '"';
}

TEST(TextToNumber, ReadsDecimalFloatingPointNumbers)
{
    EXPECT_DOUBLE_EQ(textToNumber("5321.6802"), 5321.6802);
    EXPECT_DOUBLE_EQ(textToNumber("-12.5"), -12.5);
    EXPECT_DOUBLE_EQ(textToNumber("+3"), 3.0);
    EXPECT_DOUBLE_EQ(textToNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(textToNumber("7."), 7.0);
    EXPECT_DOUBLE_EQ(textToNumber("1.5e2"), 150.0);
    EXPECT_DOUBLE_EQ(textToNumber("25E-1"), 2.5);
    EXPECT_DOUBLE_EQ(textToNumber("235959.999"), 235959.999);
}

TEST(TextToNumber, AnythingThatIsNotSuchANumberGivesZero)
{
    for (const char* text : {"", ".", "-", "+.", "1,5", "1.2.3", " 1.5", "1.5 ", "1e", "1e+", "e5", "inf",
                             "nan", "-inf", "0x1p3", "12N", "1e999"})
        EXPECT_EQ(textToNumber(text), 0.0) << '"' << text << '"';
}

TEST(TextPieces, FirstCharacterSubstringAndPosition)
{
    EXPECT_EQ(firstCharacter("N"), 'N');
    EXPECT_EQ(firstCharacter("West"), 'W');
    EXPECT_EQ(firstCharacter(""), '\0');

    EXPECT_EQ(substring("$GPGGA,", 4, 3), "GGA");
    EXPECT_EQ(substring("abc", 0, 2), "ab");
    EXPECT_EQ(substring("abc", -5, 2), "ab");
    EXPECT_EQ(substring("abc", 2, 100), "bc");
    EXPECT_EQ(substring("abc", 3, 1), "c");
    EXPECT_EQ(substring("abc", 4, 1), "");
    EXPECT_EQ(substring("abc", 1, 0), "");
    EXPECT_EQ(substring("abc", 1, -1), "");
    EXPECT_EQ(substring("", 1, 1), "");

    EXPECT_EQ(position("GGAGSAGSVRMC", "GSV"), 7);
    EXPECT_EQ(position("GGAGSAGSVRMC", "GGA"), 1);
    EXPECT_EQ(position("abab", "b"), 2);
    EXPECT_EQ(position("abc", "x"), 0);
    EXPECT_EQ(position("abc", "abcd"), 0);
    EXPECT_EQ(position("abc", ""), 0);
    EXPECT_EQ(position(std::string_view("a\0PLN", 5), "PLN"), 3);
}

} // namespace
} // namespace norvane
