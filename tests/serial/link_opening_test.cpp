// Opening, configuring and closing the serial link over a scripted port, and the conversion of
// the rate and port texts of the main window's combo boxes.
#include "serial/serial_link.h"
#include "support/fake_clock.h"
#include "support/fake_port_backend.h"

#include <climits>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace norvane {
namespace {

std::string conversionMessage(const std::string& text)
{
    try {
        rateFromText(text);
    } catch (const ConversionError& error) {
        return error.what();
    }
    return "no error";
}

TEST(RateText, DecimalTextsTruncateToTheRate)
{
    EXPECT_EQ(rateFromText("  4800"), 4800);
    EXPECT_EQ(rateFromText("115200"), 115200);
    EXPECT_EQ(rateFromText("9600.9"), 9600);
    EXPECT_EQ(rateFromText("1.92e4"), 19200);
    EXPECT_EQ(rateFromText("+38400"), 38400);
    EXPECT_EQ(rateFromText(".5"), 0);
    EXPECT_EQ(rateFromText("-7.9"), -7);
    EXPECT_EQ(rateFromText("1e300"), INT_MAX);
}

TEST(RateText, TextsThatAreNotDecimalNumbersRaiseTheConversionError)
{
    EXPECT_EQ(conversionMessage(""), "'' is not a valid floating point value");
    EXPECT_EQ(conversionMessage("   "), "'   ' is not a valid floating point value");
    EXPECT_EQ(conversionMessage("96OO"), "'96OO' is not a valid floating point value");
    EXPECT_EQ(conversionMessage("9600 "), "'9600 ' is not a valid floating point value");
    for (const char* text : {"inf", "nan", "0x2580", "1e", ".", "+", "4800,5", "1e5.5"})
        EXPECT_THROW(rateFromText(text), ConversionError) << text;
}

TEST(PortText, EverySpaceIsDropped)
{
    EXPECT_EQ(portNameFromText("  COM1"), "COM1");
    EXPECT_EQ(portNameFromText(" COM11 "), "COM11");
    EXPECT_EQ(portNameFromText("CO M 3"), "COM3");
    EXPECT_EQ(portNameFromText("   "), "");
}

class LinkOpening : public ::testing::Test {
protected:
    FakeClock clock;
    ClockOverride useClock{clock};
    FakeSerialLink fake;
};

TEST_F(LinkOpening, OpenPortUsesTheNameWithoutSpacesAndLeavesTheSettingsAlone)
{
    EXPECT_TRUE(fake.link.openPort(" COM21 "));
    EXPECT_TRUE(fake.link.isOpen());
    EXPECT_EQ(fake.port->openedName, "COM21");
    EXPECT_TRUE(fake.port->appliedRates.empty());
    EXPECT_TRUE(clock.sleeps().empty());
}

TEST_F(LinkOpening, AFailedOpenLeavesTheLinkClosed)
{
    fake.port->failOpen = true;
    EXPECT_FALSE(fake.link.openPort("COM3"));
    EXPECT_FALSE(fake.link.isOpen());
    EXPECT_FALSE(fake.link.openLink("COM3", "9600"));
    EXPECT_TRUE(clock.sleeps().empty());
}

TEST_F(LinkOpening, OpenLinkWaitsHalfASecondBeforeSettingTheRate)
{
    std::vector<int> ratesAtSleep;
    clock.onSleep = [&](int) { ratesAtSleep.push_back(fake.port->lastRate); };
    EXPECT_TRUE(fake.link.openLink("  COM3", "  4800"));
    EXPECT_EQ(clock.sleeps(), std::vector<int>{500});
    EXPECT_EQ(ratesAtSleep, std::vector<int>{0});
    EXPECT_EQ(fake.port->lastRate, 4800);
    EXPECT_TRUE(fake.link.isOpen());
}

TEST_F(LinkOpening, RateChangeOnAnOpenLinkKeepsThePortAndItsQueue)
{
    ASSERT_TRUE(fake.link.openLink("COM3", "9600"));
    fake.port->pushIncoming("queued");
    EXPECT_TRUE(fake.link.setLineSettings("115200"));
    EXPECT_EQ(fake.port->appliedRates, (std::vector<int>{9600, 115200}));
    EXPECT_EQ(fake.port->closeCount, 0);
    EXPECT_EQ(fake.port->incomingCount(), 6u);
}

TEST_F(LinkOpening, RefusedSettingsCloseTheLink)
{
    ASSERT_TRUE(fake.link.openPort("COM3"));
    fake.port->failSettings = true;
    EXPECT_FALSE(fake.link.setLineSettings("9600"));
    EXPECT_FALSE(fake.link.isOpen());

    fake.port->failSettings = false;
    EXPECT_FALSE(fake.link.setLineSettings("9600")) << "a closed link cannot take settings";
    EXPECT_FALSE(fake.link.isOpen());
}

TEST_F(LinkOpening, AnUnconvertibleRateTouchesNothingOnAnOpenLink)
{
    ASSERT_TRUE(fake.link.openLink("COM3", "9600"));
    EXPECT_THROW(fake.link.setLineSettings(""), ConversionError);
    EXPECT_EQ(fake.port->appliedRates, std::vector<int>{9600});
    EXPECT_TRUE(fake.link.isOpen());
}

TEST_F(LinkOpening, OpenLinkWithAnUnconvertibleRateClosesThePortItOpened)
{
    try {
        fake.link.openLink("COM3", "");
        FAIL() << "the conversion error must reach the caller";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'' is not a valid floating point value");
    }
    EXPECT_FALSE(fake.link.isOpen());
    EXPECT_EQ(fake.port->closeCount, 1);
    EXPECT_TRUE(fake.port->appliedRates.empty());
}

TEST_F(LinkOpening, CloseAndPurgeOnAnyLinkAreHarmless)
{
    fake.link.closePort();
    fake.link.closePort();
    EXPECT_FALSE(fake.link.isOpen());
    EXPECT_TRUE(fake.link.purgeInput()) << "purge input reports success even on a closed link";

    ASSERT_TRUE(fake.link.openPort("COM3"));
    fake.port->pushIncoming("stale");
    EXPECT_TRUE(fake.link.purgeInput());
    EXPECT_EQ(fake.port->incomingCount(), 0u);
    fake.link.closePort();
    EXPECT_FALSE(fake.link.isOpen());
    EXPECT_EQ(fake.port->closeCount, 1);
}

TEST_F(LinkOpening, WritesAndQueueSizesReportThePortsAnswer)
{
    ASSERT_TRUE(fake.link.openLink("COM3", "115200"));
    const std::uint8_t frame[] = {0xA0, 0xA1, 0x00, 0x02};
    EXPECT_TRUE(fake.link.writeBytes(frame, sizeof frame));
    EXPECT_TRUE(fake.link.writeBytes("BINSIZE", 7));
    ASSERT_EQ(fake.port->writes.size(), 2u);
    EXPECT_EQ(fake.port->writes[0], std::vector<std::uint8_t>(frame, frame + 4));
    EXPECT_EQ(fake.port->writtenText().substr(4), "BINSIZE");

    EXPECT_TRUE(fake.link.setQueueSizes(10000));
    EXPECT_EQ(fake.port->queueSize, 10000);
    fake.port->failSetupQueues = true;
    EXPECT_FALSE(fake.link.setQueueSizes(10000));

    fake.port->failWrite = true;
    EXPECT_FALSE(fake.link.writeBytes(frame, sizeof frame));
    EXPECT_TRUE(fake.link.isOpen()) << "a failed write is only reported";
}

} // namespace
} // namespace norvane
