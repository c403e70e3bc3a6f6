// The one formatting home: printf's formats as the program uses them, with '.' as the decimal
// point whatever locale the desktop gives the C library.
#include "text/number_format.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

namespace norvane {
namespace {

struct Case {
    std::string expected;
    std::string got;
};

// Written after what is there already, as a CSV row is built.
std::string appendedZeroPadded(std::int64_t value, int width)
{
    std::string text = "|";
    appendZeroPadded(text, value, width);
    return text;
}

std::vector<Case> programFormats()
{
    return {
        {"N24\"59'12.34", formatText("%c%d\"%02d'%05.2f", 'N', 24, 59, 12.342)},
        {"E121\"30'07.50", formatText("%c%d\"%02d'%05.2f", 'E', 121, 30, 7.5)},
        {"    56.3M", formatText("%8.1fM", 56.3)},
        {"   -12.0M", formatText("%8.1fM", -12.04)},
        {"1.8", formatText("%02.1f", 1.8)},
        {"Burning  50%", "Burning" + formatText("%4.0f", 50.0) + "%"},
        {"Burning 100%", "Burning" + formatText("%4.0f", 99.95) + "%"},
        {" 5.0", formatText("%4.1f", 5.0)},
        {"-0.0", fixedText(-0.04, 1)},
        {"24.986762", fixedText(24.9867621, 6)},
        {"1.20", fixedText(1.2, 2)},
        {"0.000 -0.001 0.0 -0.5", decimalText(-0.0004, 3) + " " + decimalText(-0.0006, 3) + " " +
                                      decimalText(-0.0, 1) + " " + decimalText(-0.5, 1)},
        {"0.125", formatText("%.*f", 3, 0.125)},
        {"2007/10/19", formatText("20%02d/%02d/%02d", 7, 10, 19)},
        {"       CRC: A B3", formatText("       CRC: %X %X", 0x0A, 0xB3)},
        {"07D7", formatText("%04X", 2007u)},
        {"BINSIZE = 100000 Checksum = 255 Loopnumber = 1 ",
         formatText("BINSIZE = %d Checksum = %d Loopnumber = %d ", 100000, std::uint8_t{255}, 1)},
        {"BINSIZE =    512 Checksum =   7 FlashStart = 0 ",
         formatText("BINSIZE = %6d Checksum = %3d FlashStart = %1d ", 512, 7, 0)},
        {"cold      3 ", formatText("%-5s %5d ", "cold", 3)},
        {"    -", formatText("%5s", std::string("-"))},
        {"+7|-0007|   42|42   |100%", formatText("%+d|%05d|%5d|%-5d|%d%%", 7, -7, 42, 42, 100)},
        {"1.5e+03 0.0001 1e+06", formatText("%.1e %g %g", 1500.0, 0.0001, 1e6)},
        {"inf -inf", formatText("%.1f %.1f", 1.0 / 0.0, -1.0 / 0.0)},
        {"missing: ", formatText("missing: %d")},
        {"|07 |-07 |123 |0", appendedZeroPadded(7, 2) + " " + appendedZeroPadded(-7, 3) + " " +
                                 appendedZeroPadded(123, 2) + " " + appendedZeroPadded(0, 0)},
    };
}

TEST(FormatText, WritesPrintfFormatsWithADecimalPoint)
{
    for (const Case& c : programFormats())
        EXPECT_EQ(c.got, c.expected);
}

// fixedText takes a quick way where it can; it must always give what the exact conversion gives,
// halves (rounded to even) and values near them, long and short fractions, large and tiny values.
TEST(FormatText, FixedTextAgreesWithTheExactConversion)
{
    // Ties and near ties, the largest below 2^52 and 2^53 and beyond, the survey's own.
    std::vector<double> values = {0.0, 0.5, 1.5, 2.5, 0.125, 0.375, 2.675, 1.005, 1e-7, 123456.0005};
    values.insert(values.end(), {4503599627370495.5, 9007199254740993.0, 1e15, 24.9867621, 121.502045393});
    std::mt19937_64 random(5);
    for (int i = 0; i < 5000; ++i) {
        const double magnitude = std::ldexp(std::uniform_real_distribution<double>(1, 2)(random),
                                            std::uniform_int_distribution<int>(-30, 40)(random));
        values.push_back(magnitude);
        // A half at the last decimal asked for, give or take the last bit.
        const double tie = (std::floor(magnitude * 1000) + 0.5) / 1000;
        values.insert(values.end(), {tie, std::nextafter(tie, 0.0), std::nextafter(tie, 1e300)});
    }
    for (const double value : values)
        for (int decimals = 0; decimals <= 12; ++decimals) {
            char exact[400];
            const auto end =
                std::to_chars(exact, exact + sizeof exact, value, std::chars_format::fixed, decimals).ptr;
            ASSERT_EQ(fixedText(value, decimals), std::string(exact, end))
                << value << ", " << decimals << " decimals";
            ASSERT_EQ(fixedText(-value, decimals), "-" + std::string(exact, end));
        }
}

// A desktop in Germany gives the C library a decimal comma once the window toolkit starts.
TEST(FormatText, KeepsTheDecimalPointUnderADecimalCommaLocale)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "de_DE.UTF-8 is not installed here";
    char printed[16];
    std::snprintf(printed, sizeof printed, "%.2f", 1.2);
    const std::vector<Case> cases = programFormats();
    std::setlocale(LC_ALL, previous.c_str());

    EXPECT_STREQ(printed, "1,20") << "the locale did not take effect";
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.expected);
}

} // namespace
} // namespace norvane
