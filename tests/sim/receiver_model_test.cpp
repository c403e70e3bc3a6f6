#include "sentence_text.h"
#include "sim/fix_timeline.h"
#include "sim/identification.h"
#include "sim/receiver_model.h"

#include <gtest/gtest.h>

namespace norvane::sim {
namespace {

using testing::fieldsOf;
using testing::typeOf;

UtcTime startTime()
{
    return *parseUtcTime("2007-10-19 12:00:00");
}

char gsaModeIn(const std::vector<std::string>& burst)
{
    for (const auto& sentence : burst)
        if (typeOf(sentence) == "GSA")
            return fieldsOf(sentence)[1][0];
    return 0;
}

Command restartCommand(FrameFamily family, RestartKind kind)
{
    Command command;
    command.kind = CommandKind::Restart;
    command.family = family;
    command.messageId = 0x01;
    command.restart = kind;
    return command;
}

TEST(FixTimeline, RestartSearchesThenGoesTwoDimensionalThenThreeWithinTheSpread)
{
    FixTimeline timeline({30, 20, 3}, 7);
    EXPECT_EQ(timeline.fixModeAt(0), '3');
    timeline.restart(RestartKind::Cold, 100);
    double search = timeline.searchSeconds();
    EXPECT_GE(search, 27.0);
    EXPECT_LE(search, 33.0);
    EXPECT_EQ(timeline.fixModeAt(100), '1');
    EXPECT_EQ(timeline.fixModeAt(100 + search - 0.01), '1');
    EXPECT_EQ(timeline.fixModeAt(100 + search + 0.01), '2');
    EXPECT_EQ(timeline.fixModeAt(100 + search + FixTimeline::kTwoDimensionalSeconds + 0.01), '3');

    timeline.restart(RestartKind::Hot, 500);
    EXPECT_GE(timeline.searchSeconds(), 2.7);
    EXPECT_LE(timeline.searchSeconds(), 3.3);
    timeline.restart(RestartKind::Warm, 600);
    EXPECT_GE(timeline.searchSeconds(), 18.0);
    EXPECT_LE(timeline.searchSeconds(), 22.0);
}

TEST(FixTimeline, SameSeedRepeatsTheSpreadAndOtherSeedsVaryIt)
{
    auto first = [](unsigned seed) {
        FixTimeline timeline({30, 20, 3}, seed);
        timeline.restart(RestartKind::Cold, 0);
        return timeline.searchSeconds();
    };
    EXPECT_EQ(first(5), first(5));
    bool varies = false;
    for (unsigned seed = 1; seed < 5; ++seed)
        varies = varies || first(seed) != first(5);
    EXPECT_TRUE(varies);
}

TEST(ReceiverModel, VexaRestartIsAcknowledgedAndTheFixComesBack)
{
    SimulatorOptions options;
    options.coldSeconds = 5;
    ReceiverModel model(options, startTime(), std::nullopt);
    EXPECT_EQ(gsaModeIn(model.burst(0)), '3');
    CommandAnswer answer = model.answer(restartCommand(FrameFamily::Vexa, RestartKind::Cold), 10.5);
    EXPECT_TRUE(answer.restarted);
    EXPECT_EQ(answer.reply, vexaAcknowledgement(0x01));
    EXPECT_EQ(model.restarts(), 1);
    EXPECT_EQ(gsaModeIn(model.burst(11)), '1');
    EXPECT_EQ(fieldsOf(model.burst(12)[0])[5], "0");
    // Five seconds with a tenth either way, then one second of 2D.
    EXPECT_EQ(gsaModeIn(model.burst(20)), '3');
    std::string modes;
    for (long second = 11; second <= 18; ++second)
        modes += gsaModeIn(model.burst(second));
    EXPECT_NE(modes.find("12"), std::string::npos) << modes;
    EXPECT_NE(modes.find("23"), std::string::npos) << modes;
}

TEST(ReceiverModel, LumoRestartHasNoReplyAndRevisionQueryGetsTheVersionReply)
{
    ReceiverModel model(SimulatorOptions{}, startTime(), std::nullopt);
    CommandAnswer restart = model.answer(restartCommand(FrameFamily::Lumo, RestartKind::Warm), 3);
    EXPECT_TRUE(restart.restarted);
    EXPECT_TRUE(restart.reply.empty());
    EXPECT_EQ(gsaModeIn(model.burst(4)), '1');

    Command query;
    query.kind = CommandKind::RevisionQuery;
    query.family = FrameFamily::Lumo;
    CommandAnswer reply = model.answer(query, 5);
    EXPECT_FALSE(reply.restarted);
    EXPECT_EQ(reply.reply, versionReply());
}

TEST(ReceiverModel, RejectedAndUnknownFramesChangeNothing)
{
    ReceiverModel model(SimulatorOptions{}, startTime(), std::nullopt);
    Command rejected;
    EXPECT_TRUE(model.answer(rejected, 1).reply.empty());
    Command unknown;
    unknown.kind = CommandKind::Unknown;
    unknown.messageId = 0x09;
    CommandAnswer refusal = model.answer(unknown, 1);
    EXPECT_EQ(refusal.reply, vexaRefusal(0x09));
    EXPECT_FALSE(refusal.restarted);
    EXPECT_EQ(model.restarts(), 0);
    EXPECT_EQ(gsaModeIn(model.burst(2)), '3');
}

TEST(ReceiverModel, BannersOnlyWhenWantedAndNeverWhileReplaying)
{
    SimulatorOptions options;
    EXPECT_EQ(ReceiverModel(options, startTime(), std::nullopt).startupLines(), bannerLines(false));
    options.datedVersionLine = true;
    EXPECT_EQ(ReceiverModel(options, startTime(), std::nullopt).startupLines(), bannerLines(true));
    options.banners = false;
    EXPECT_TRUE(ReceiverModel(options, startTime(), std::nullopt).startupLines().empty());

    ReplaySource replay;
    ASSERT_TRUE(replay.loadText("$GPGGA,1*00\r\n$GPRMC,1*00\r\n"));
    ReceiverModel replaying(SimulatorOptions{}, startTime(), replay);
    EXPECT_TRUE(replaying.startupLines().empty());
    EXPECT_EQ(replaying.burst(0), (std::vector<std::string>{"$GPGGA,1*00\r\n", "$GPRMC,1*00\r\n"}));
}

} // namespace
} // namespace norvane::sim
