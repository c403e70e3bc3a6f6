#include "decode/text_helpers.h"

#include <gtest/gtest.h>

namespace norvane {
namespace {

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
