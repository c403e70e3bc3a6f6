// The conversions of number texts, each with the edge rules its callers depend on: the decoders'
// fields (textToInteger, textToNumber) and the restart test window's fields (integerOfText).
// The rate box's conversion is tested through rateFromText with the serial link.
#include "text/number_text.h"

#include <charconv>
#include <gtest/gtest.h>
#include <random>
#include <string>

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

// Short texts are read a quick way; every text must still read as the exact conversion reads it:
// long and short, with and without a point, with leading zeros, and past the quick way's reach.
TEST(TextToNumber, AgreesWithTheExactConversion)
{
    std::mt19937 random(3);
    for (int i = 0; i < 20000; ++i) {
        std::string text(std::uniform_int_distribution<std::size_t>(1, 20)(random), '0');
        for (char& ch : text)
            ch = static_cast<char>('0' + std::uniform_int_distribution<int>(0, 9)(random));
        if (i % 4 != 0)
            text.insert(std::uniform_int_distribution<std::size_t>(0, text.size())(random), 1, '.');
        double exact = 0;
        std::from_chars(text.data(), text.data() + text.size(), exact);
        ASSERT_EQ(numberOfText(text), exact) << text;
        ASSERT_EQ(numberOfText("-" + text), -exact) << text;
    }
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

TEST(IntegerOfText, TakesOnlyWholeDecimalIntegers)
{
    EXPECT_EQ(integerOfText("42"), 42);
    EXPECT_EQ(integerOfText("-5"), -5);
    EXPECT_EQ(integerOfText("+7"), 7);
    EXPECT_EQ(integerOfText("0"), 0);
    for (const char* text : {"", "abc", "12abc", "1.5", "-", " 3", "3 "})
        EXPECT_EQ(integerOfText(text), 0) << '"' << text << '"';
}

TEST(IntegerOfText, SaturatesBeyondThirtyTwoBits)
{
    EXPECT_EQ(integerOfText("2147483647"), 2147483647);
    EXPECT_EQ(integerOfText("99999999999999999999"), 2147483647);
    EXPECT_EQ(integerOfText("-99999999999999999999"), -2147483647 - 1);
}

} // namespace
} // namespace norvane
