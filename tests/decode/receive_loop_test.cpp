#include "decode/sentence_processing.h"
#include "loop_rig.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace norvane::test {
namespace {

const std::vector<std::string> kGgaCalls = {"showPosition", "showAltitude", "showTime"};

TEST(Framing, ASentenceSplitAcrossTwoTicksIsDecodedOnceAtTheNextDollar)
{
    LoopRig rig;
    rig.tick(kRecordedGga.substr(0, 20));
    rig.tick(kRecordedGga.substr(20) + "\r\n");
    EXPECT_TRUE(rig.sink.calls.empty()) << "a sentence is complete only at the next '$'";
    rig.tick("$GP");
    EXPECT_EQ(rig.sink.calls, kGgaCalls);
    EXPECT_EQ(rig.receiver.state.utc_minute, 27);
    EXPECT_EQ(rig.sink.memo.back(), kRecordedGga);
    EXPECT_EQ(rig.receiver.sentenceText, "$GP");
}

TEST(Framing, TheFirstByteEverBeingDollarGivesAnEmptyLine)
{
    LoopRig rig;
    rig.tick("$");
    ASSERT_EQ(rig.sink.memo.size(), 1u);
    EXPECT_EQ(rig.sink.memo[0], "");
    EXPECT_EQ(rig.sink.rawLog, std::vector<std::string>{"\n"});
    EXPECT_TRUE(rig.sink.calls.empty());
    EXPECT_EQ(rig.receiver.sentenceText, "$");
}

TEST(Framing, TwoDollarsInARowMakeALineOfJustDollar)
{
    LoopRig rig;
    rig.tick("$$" + kRecordedGga.substr(1) + "\r\n$");
    EXPECT_EQ(rig.sink.memo, (std::vector<std::string>{"", "$", kRecordedGga}));
    EXPECT_EQ(rig.sink.rawLog, (std::vector<std::string>{"\n", "$\n", kRecordedGga + "\n"}));
    EXPECT_EQ(rig.sink.calls, kGgaCalls);
}

TEST(Framing, GarbageBeforeTheFirstDollarIsShownAndLoggedButNotDecoded)
{
    LoopRig rig;
    const std::string garbage("\xFF\x13q\0z\r\n", 7);
    rig.tick(garbage + kRecordedGga + "\r\n$");
    ASSERT_EQ(rig.sink.memo.size(), 2u);
    EXPECT_EQ(rig.sink.memo[0], garbage.substr(0, 5));
    EXPECT_EQ(rig.sink.rawLog[0], garbage.substr(0, 5) + "\n");
    EXPECT_EQ(rig.sink.calls, kGgaCalls) << "only the GGA decodes";
}

TEST(Framing, LineBreakPairsGoWhereverTheyStandWhileLoneOnesStay)
{
    std::string text = "$GP\r\nGGA\r\r\n\n\rx\n";
    removeLineBreakPairs(text);
    EXPECT_EQ(text, "$GPGGA\r\n\rx\n");

    LoopRig rig;
    rig.tick(kRecordedGga.substr(0, 10) + "\r\n" + kRecordedGga.substr(10) + "\r\n\r\n$");
    EXPECT_EQ(rig.sink.memo.back(), kRecordedGga);
    EXPECT_EQ(rig.sink.calls, kGgaCalls);
}

TEST(Framing, TheMemoIsClearedOnceItHoldsMoreThan500Lines)
{
    LoopRig rig;
    std::string bytes;
    // The first '$' ever closes an empty text: that line and 500 sentences make 501 lines.
    for (int i = 0; i < 500; ++i)
        bytes += "$GPTXT,line*00\r\n";
    rig.tickInPieces(bytes + "$");
    EXPECT_EQ(rig.sink.memo.size(), 501u);
    EXPECT_EQ(rig.sink.memoClears, 0);
    rig.tick("$");
    EXPECT_EQ(rig.sink.memoClears, 1);
    ASSERT_EQ(rig.sink.memo.size(), 1u);
    EXPECT_EQ(rig.sink.memo[0], "$");
}

TEST(Framing, ASentenceTextWithoutDollarStopsGrowingAtTheCap)
{
    LoopRig rig;
    rig.tickInPieces("$" + std::string(3 * kSentenceTextCap, 'x'));
    EXPECT_EQ(rig.receiver.sentenceText.size(), kSentenceTextCap);
    rig.tick("$" + kRecordedGga.substr(1) + "\r\n$");
    ASSERT_EQ(rig.sink.memo.size(), 3u);
    EXPECT_EQ(rig.sink.memo[1], "$" + std::string(kSentenceTextCap - 1, 'x'));
    EXPECT_EQ(rig.sink.memo[2], kRecordedGga);
    EXPECT_EQ(rig.sink.calls, kGgaCalls) << "the sentence after the capped one decodes normally";
}

TEST(Dispatch, EachTypeCallsItsDisplaysWhateverTheTalker)
{
    LoopRig rig;
    rig.tick(nmea("GNGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1") + "\r\n$");
    EXPECT_EQ(rig.sink.calls, (std::vector<std::string>{"updateSnrChart", "drawSkyPlot"}));
    EXPECT_EQ(rig.receiver.state.fix_mode, '3');

    rig.sink.clearCalls();
    rig.tick(nmea("GPGSV,2,1,08,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45") + "\r\n$");
    EXPECT_TRUE(rig.sink.calls.empty()) << "not the last message of its group";
    rig.tick(nmea("GPGSV,2,2,08,16,40,083,46,17,17,308,41,18,07,344,39,19,22,228,45") + "\r\n$");
    EXPECT_EQ(rig.sink.calls, (std::vector<std::string>{"updateSnrChart", "drawSkyPlot"}));
    EXPECT_EQ(rig.receiver.state.sat_prn[7], 19);

    const std::vector<std::string> rmcCalls = {"showDate",  "showFixMode", "showPdop",
                                               "showSpeed", "showTime",    "showAltitude"};
    for (const char* talker : {"GP", "GN"}) {
        rig.sink.clearCalls();
        rig.tick(
            nmea(std::string(talker) + "RMC,092750.000,A,5321.6802,N,00630.3372,W,0.02,31.66,280511,,,A") +
            "\r\n$");
        EXPECT_EQ(rig.sink.calls, rmcCalls) << talker;
    }
    rig.sink.viewPointShown = true;
    rig.sink.clearCalls();
    rig.tick(nmea("GPRMC,092751.000,A,5321.6802,N,00630.3372,W,0.02,31.66,280511,,,A") + "\r\n$");
    std::vector<std::string> withPoint = rmcCalls;
    withPoint.push_back("plotViewPoint");
    EXPECT_EQ(rig.sink.calls, withPoint);
    EXPECT_EQ(rig.receiver.state.utc_second, 51);
}

TEST(Dispatch, BadChecksumsAndUnknownTypesAreShownButNotDecoded)
{
    LoopRig rig;
    rig.tick("$GPGGA,092750.000,5321.6802,N,00630.3372,W,1,8,1.03,61.7,M,55.2,M,,*77\r\n" +
             nmea("GPVTG,31.66,T,,M,0.02,N,0.04,K,A") + "\r\n" + nmea("GPAGS,1") + "\r\n" +
             "$GPGGA,092750.000,5321.6802,N,00630.3372,W,1,8,1.03,61.7,M,55.2,M,,\r\n$");
    EXPECT_EQ(rig.sink.memo.size(), 5u);
    EXPECT_EQ(rig.sink.rawLog.size(), 5u);
    EXPECT_TRUE(rig.sink.calls.empty());
    EXPECT_EQ(rig.receiver.state.latitude, 0.0);
}

TEST(TickEnd, TtffCountsTicksWithoutA3dFixAndStandsStillWithOne)
{
    LoopRig rig;
    rig.sink.ttff = "garbage";
    rig.tick("$");
    EXPECT_EQ(rig.sink.ttffWrites, (std::vector<std::string>{"0", "1"}));
    rig.tick("x");
    EXPECT_EQ(rig.receiver.ttffTicks, 2);
    EXPECT_EQ(rig.sink.ttff, "2");

    rig.tick(nmea("GPGSA,A,3,04,05,,,,,,,,,,,2.5,1.3,2.1") + "\r\n$");
    EXPECT_EQ(rig.receiver.ttffTicks, 2);
    EXPECT_EQ(rig.sink.ttff, "2");
    rig.sink.ttff = " 7x";
    rig.tick();
    EXPECT_EQ(rig.sink.ttff, "0") << "td_ttff is rewritten as its own integer value";

    rig.tick(nmea("GPGSA,A,2,04,05,,,,,,,,,,,2.5,1.3,2.1") + "\r\n$");
    EXPECT_EQ(rig.receiver.ttffTicks, 3) << "counting resumes from the counter";
    EXPECT_EQ(rig.sink.ttff, "3");
}

TEST(TickEnd, AnEmptyTickReportsAndDisablesTheButtonsUntilDataComes)
{
    LoopRig rig;
    EXPECT_EQ(rig.tick(), 0);
    EXPECT_EQ(rig.sink.memo, std::vector<std::string>{"Nmea code loss or Gps is bad"});
    EXPECT_EQ(rig.tick("$GP"), 3);
    EXPECT_EQ(rig.sink.buttonsEnabled, (std::vector<bool>{false, true}));
    EXPECT_EQ(rig.sink.restartTestTicks, (std::vector<int>{0, 3}));
}

TEST(TickEnd, EachTickReadsAFreshBufferOfAtMost1000Bytes)
{
    LoopRig rig;
    rig.tick(std::string(900, 'a'));
    rig.tick("$b");
    EXPECT_EQ(rig.sink.memo[0], std::string(900, 'a')) << "the first tick's bytes are processed once";
    EXPECT_EQ(rig.receiver.sentenceText, "$b");
    EXPECT_EQ(rig.buffer[2], 0) << "the buffer is cleared before each read";

    rig.fake.port->pushIncoming(std::string(1000, 'c'));
    EXPECT_EQ(rig.loop.tick(), 1000);
}

} // namespace
} // namespace norvane::test
