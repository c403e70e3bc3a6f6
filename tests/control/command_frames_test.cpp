#include "control/command_frames.h"
#include "control/restart_commands.h"
#include "decode/receiver_state.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

namespace norvane {
namespace {

using ByteList = std::vector<std::uint8_t>;

template <typename Frame> ByteList bytesOf(const Frame& frame)
{
    return ByteList(frame.begin(), frame.end());
}

RestartFix fixOf30May2007()
{
    RestartFix fix;
    fix.year = 7;
    fix.month = 5;
    fix.day = 30;
    fix.hour = 12;
    fix.minute = 11;
    fix.second = 57;
    fix.latitude = 2400;
    fix.longitude = 12100;
    return fix;
}

TEST(VexaRestartFrame, ColdFrameForAKnownFixIsByteExact)
{
    const ByteList expected = {0xA0, 0xA1, 0x00, 0x0F, 0x01, 0x03, 0x07, 0xD7, 0x05, 0x1E, 0x0C,
                               0x0B, 0x39, 0x09, 0x60, 0x2F, 0x44, 0x00, 0x64, 0x91, 0x0D, 0x0A};
    EXPECT_EQ(bytesOf(buildVexaRestartFrame(RestartKind::Cold, fixOf30May2007())), expected);
}

TEST(VexaRestartFrame, WarmAndHotDifferOnlyInModeAndChecksum)
{
    const auto cold = buildVexaRestartFrame(RestartKind::Cold, fixOf30May2007());
    const auto warm = buildVexaRestartFrame(RestartKind::Warm, fixOf30May2007());
    const auto hot = buildVexaRestartFrame(RestartKind::Hot, fixOf30May2007());
    EXPECT_EQ(warm[5], 0x02);
    EXPECT_EQ(hot[5], 0x01);
    EXPECT_EQ(warm[19], 0x90);
    EXPECT_EQ(hot[19], 0x93);
    for (std::size_t i = 0; i < cold.size(); ++i) {
        if (i == 5 || i == 19)
            continue;
        EXPECT_EQ(warm[i], cold[i]) << "offset " << i;
        EXPECT_EQ(hot[i], cold[i]) << "offset " << i;
    }
}

TEST(VexaRestartFrame, AgreesWithTheGeneralVexaLayout)
{
    const auto built = buildVexaRestartFrame(RestartKind::Hot, fixOf30May2007());
    const ByteList parameters(built.begin() + 5, built.begin() + 19);
    EXPECT_EQ(vexaFrame(0x01, parameters), bytesOf(built));
}

TEST(VexaRestartFrame, SendsOnlyTheLowByteOfDateAndTimeFields)
{
    RestartFix fix = fixOf30May2007();
    fix.hour = 0x100 + 12;
    fix.second = 0x300 + 57;
    EXPECT_EQ(buildVexaRestartFrame(RestartKind::Cold, fix),
              buildVexaRestartFrame(RestartKind::Cold, fixOf30May2007()));
}

TEST(VexaRestartFrame, PositionCarriesWholeDegreesWithMinutesDropped)
{
    ReceiverState state;
    state.latitude = 2459.9876;
    state.longitude = 12134.5;
    const auto frame = buildVexaRestartFrame(RestartKind::Cold, restartFixFromState(state));
    EXPECT_EQ(frame[13], 0x09);
    EXPECT_EQ(frame[14], 0x60);
    EXPECT_EQ(frame[15], 0x2F);
    EXPECT_EQ(frame[16], 0x44);
}

TEST(VexaRestartFrame, HemispheresAreNotApplied)
{
    ReceiverState north;
    north.latitude = 2459.9876;
    north.lat_hemisphere = 'N';
    north.longitude = 12134.5;
    north.lon_hemisphere = 'E';
    ReceiverState south = north;
    south.lat_hemisphere = 'S';
    south.lon_hemisphere = 'W';
    EXPECT_EQ(buildVexaRestartFrame(RestartKind::Warm, restartFixFromState(north)),
              buildVexaRestartFrame(RestartKind::Warm, restartFixFromState(south)));
}

TEST(VexaRestartFrame, NothingDecodedYetGivesYear2000AndZeroes)
{
    const ByteList expected = {0xA0, 0xA1, 0x00, 0x0F, 0x01, 0x03, 0x07, 0xD0, 0x00, 0x00, 0x00,
                               0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x64, 0xB1, 0x0D, 0x0A};
    EXPECT_EQ(bytesOf(buildVexaRestartFrame(RestartKind::Cold, restartFixFromState(ReceiverState{}))),
              expected);
}

TEST(VexaRestartFrame, PositionTooLargeForAnIntegerIsSentAsZero)
{
    ReceiverState state;
    state.latitude = 1e300;
    state.longitude = -1e300;
    const RestartFix fix = restartFixFromState(state);
    EXPECT_EQ(fix.latitude, 0);
    EXPECT_EQ(fix.longitude, 0);
}

// The 16 parameters of a Lumo restart frame, assembled from what they mean.
ByteList lumoRestartParameters(int flag, int mode, int year, int month, int day, int hour, int minute,
                               int second, std::int16_t first, std::int16_t second16)
{
    auto low = [](int v) { return static_cast<std::uint8_t>(v & 0xFF); };
    auto high = [](int v) { return static_cast<std::uint8_t>((v >> 8) & 0xFF); };
    return {low(flag),     low(mode),      low(year),   high(year), low(month), low(day),
            low(hour),     low(minute),    low(second), 0,          low(first), high(first),
            low(second16), high(second16), 0,           0};
}

TEST(FixedFrames, EachMatchesItsLayoutAndChecksum)
{
    EXPECT_EQ(vexaFrame(0x02, {0x01}), bytesOf(kVexaQuery));
    EXPECT_EQ(lumoFrame(0x05, {0x01, 0x01}), bytesOf(kLumoRevisionQuery));
    EXPECT_EQ(lumoFrame(0x01, lumoRestartParameters(1, 3, 2004, 2, 14, 0, 0, 0, 24, 13)),
              bytesOf(kLumoColdRestart));
    EXPECT_EQ(lumoFrame(0x01, lumoRestartParameters(1, 2, 2007, 5, 23, 3, 34, 43, 4921, -12310)),
              bytesOf(kLumoWarmRestart));
    EXPECT_EQ(lumoFrame(0x01, lumoRestartParameters(0, 0, 2007, 5, 23, 3, 51, 17, 4921, -12310)),
              bytesOf(kLumoHotRestart));
}

TEST(FrameChecksums, CoverThePayloadButNotTheFraming)
{
    // A Lumo checksum includes the F1 byte: without it 0x05 ^ 0x01 ^ 0x01 would be 0x05.
    EXPECT_EQ(lumoFrame(0x05, {0x01, 0x01})[6], 0xF4);
    // A Vexa checksum leaves out the length: 0x02 ^ 0x01.
    EXPECT_EQ(vexaFrame(0x02, {0x01})[6], 0x03);
    EXPECT_EQ(vexaFrame(0x02, ByteList(300, 0x00))[2], 0x01);
    EXPECT_EQ(vexaFrame(0x02, ByteList(300, 0x00))[3], 0x2D);
}

} // namespace
} // namespace norvane
