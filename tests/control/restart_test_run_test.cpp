#include "control/restart_test_run.h"
#include "control/restart_test_simulated_receiver.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace norvane {
namespace {

// The test window's controls as plain values, starting as in an opened, idle window.
class FakePanel : public RestartTestPanel {
public:
    struct Button {
        bool visible = true;
        bool enabled = true;
    };
    std::array<Button, 3> kinds;
    Button autoButton;
    std::array<bool, 3> checked{};
    std::array<std::string, 3> counts, averages;
    std::string cycles = "1", waitTime = "1", caption = "Cycles ", text;

    bool kindButtonVisible(RestartKind k) override { return kinds[kindIndex(k)].visible; }
    bool kindButtonEnabled(RestartKind k) override { return kinds[kindIndex(k)].enabled; }
    void setKindButtonVisible(RestartKind k, bool v) override { kinds[kindIndex(k)].visible = v; }
    void setKindButtonEnabled(RestartKind k, bool e) override { kinds[kindIndex(k)].enabled = e; }
    bool autoButtonVisible() override { return autoButton.visible; }
    bool autoButtonEnabled() override { return autoButton.enabled; }
    void setAutoButtonVisible(bool v) override { autoButton.visible = v; }
    void setAutoButtonEnabled(bool e) override { autoButton.enabled = e; }
    bool kindChecked(RestartKind k) override { return checked[kindIndex(k)]; }
    void setKindChecked(RestartKind k, bool c) override { checked[kindIndex(k)] = c; }
    void setCountText(RestartKind k, const std::string& t) override { counts[kindIndex(k)] = t; }
    void setAverageText(RestartKind k, const std::string& t) override { averages[kindIndex(k)] = t; }
    std::string cyclesText() override { return cycles; }
    std::string waitTimeText() override { return waitTime; }
    std::string cyclesCaption() override { return caption; }
    std::string message() override { return text; }
    void setMessage(const std::string& t) override { text = t; }

    const std::string& count(RestartKind k) const { return counts[kindIndex(k)]; }
    const std::string& average(RestartKind k) const { return averages[kindIndex(k)]; }
};

class RestartTestRun : public ::testing::Test {
protected:
    RestartTestRun()
    {
        test.setHost(&receiver);
        receiver.tickStep = [this](int bytesRead) { test.tickStep(bytesRead); };
    }

    FakePanel panel;
    SimulatedReceiver receiver;
    RestartTest test{panel};
};

TEST_F(RestartTestRun, LiveCountFollowsTheCounterUntilTheFixAndThenKeepsTheTtff)
{
    panel.cycles = "2";
    panel.waitTime = "5";
    receiver.ttffs = {4, 4};
    test.startSingleRun(RestartKind::Warm);
    receiver.tick(3);
    EXPECT_EQ(panel.count(RestartKind::Warm), "3");
    receiver.tick(3);
    EXPECT_EQ(panel.count(RestartKind::Warm), "4");
    EXPECT_EQ(receiver.ticks, 6) << "the wait after the fix advances the counter";
    EXPECT_EQ(panel.count(RestartKind::Hot), "");
    EXPECT_EQ(panel.count(RestartKind::Cold), "");
}

TEST_F(RestartTestRun, OneCycleRunShowsTheTtffWithOneDecimal)
{
    panel.waitTime = "2";
    receiver.ttffs = {27};
    test.startSingleRun(RestartKind::Cold);
    EXPECT_EQ(panel.text, "Cycles : 1");
    receiver.tick(28);
    EXPECT_EQ(panel.average(RestartKind::Cold), "");
    receiver.tick();
    EXPECT_EQ(panel.average(RestartKind::Cold), "27.0");
    EXPECT_EQ(test.total(RestartKind::Cold), 270);
    EXPECT_EQ(panel.text, "");
    EXPECT_TRUE(panel.kinds[kindIndex(RestartKind::Cold)].enabled);
    EXPECT_TRUE(panel.autoButton.visible);
    EXPECT_EQ(receiver.restarts.size(), 1u);
}

TEST_F(RestartTestRun, RunStartsKeepCycleCountAndWaitTimeInRange)
{
    panel.cycles = "0";
    panel.waitTime = "abc";
    receiver.ttffs = {5};
    test.startSingleRun(RestartKind::Hot);
    EXPECT_EQ(test.cycleCount(), 1);
    EXPECT_EQ(test.waitTime(), 1);
    receiver.tick(6);
    EXPECT_EQ(panel.average(RestartKind::Hot), " 5.0");

    panel.cycles = "20000";
    panel.waitTime = "-3";
    panel.checked[kindIndex(RestartKind::Warm)] = true;
    test.startAutoRun();
    EXPECT_EQ(test.cycleCount(), 10000);
    EXPECT_EQ(test.waitTime(), 1);
}

TEST_F(RestartTestRun, SingleRunStartClearsOnlyItsOwnKindsFields)
{
    panel.counts = {"40", "20", "3"};
    panel.averages = {"40.0", "20.0", " 3.0"};
    test.startSingleRun(RestartKind::Warm);
    EXPECT_EQ(panel.counts, (std::array<std::string, 3>{"40", "", "3"}));
    EXPECT_EQ(panel.averages, (std::array<std::string, 3>{"40.0", "", " 3.0"}));
    EXPECT_FALSE(panel.kinds[kindIndex(RestartKind::Cold)].visible);
    EXPECT_FALSE(panel.kinds[kindIndex(RestartKind::Hot)].visible);
    EXPECT_TRUE(panel.kinds[kindIndex(RestartKind::Warm)].visible);
    EXPECT_FALSE(panel.kinds[kindIndex(RestartKind::Warm)].enabled);
    EXPECT_FALSE(panel.autoButton.visible);
    EXPECT_TRUE(panel.autoButton.enabled);
    EXPECT_EQ(receiver.restarts, std::vector<RestartKind>{RestartKind::Warm});
}

// A refused restart leaves the counter at 0 with the fix held, so the cycle ends again after
// TTFF + wait ticks and the previous TTFF is counted a second time.
TEST_F(RestartTestRun, RefusedRestartCountsThePreviousTtffAgain)
{
    panel.cycles = "3";
    panel.waitTime = "2";
    receiver.ttffs = {4};
    test.startSingleRun(RestartKind::Hot);
    receiver.tick(5);
    receiver.acceptsRestarts = false;
    receiver.tick();
    EXPECT_EQ(panel.text, "Cycles : 2");
    receiver.tick(5);
    EXPECT_EQ(panel.text, "Cycles : 2");
    receiver.tick();
    EXPECT_EQ(panel.text, "Cycles : 3");
    EXPECT_EQ(panel.average(RestartKind::Hot), "4");
    EXPECT_EQ(receiver.restarts.size(), 3u);
}

TEST_F(RestartTestRun, AllThreePhasesRunColdWarmHotWithTheirMessages)
{
    panel.cycles = "2";
    panel.waitTime = "1";
    panel.checked = {true, true, true};
    receiver.ttffs = {3, 3, 2, 2, 1, 2};
    std::vector<std::string> messages;
    test.startAutoRun();
    messages.push_back(panel.text);
    for (int i = 0; i < 40; ++i) {
        receiver.tick();
        if (panel.text != messages.back())
            messages.push_back(panel.text);
    }
    EXPECT_EQ(messages,
              (std::vector<std::string>{"AUTO Cold Cycles : 1", "AUTO Cold Cycles 2", "AUTO Warm Cycles 1",
                                        "AUTO Warm Cycles 2", "AUTO Hot Cycles 1", "AUTO Hot Cycles 2",
                                        "change module."}));
    EXPECT_EQ(receiver.restarts,
              (std::vector<RestartKind>{RestartKind::Cold, RestartKind::Cold, RestartKind::Warm,
                                        RestartKind::Warm, RestartKind::Hot, RestartKind::Hot}));
    EXPECT_EQ(panel.averages, (std::array<std::string, 3>{" 3.0", " 2.0", " 1.5"}));
    EXPECT_EQ(panel.checked, (std::array<bool, 3>{true, true, true}));
    EXPECT_FALSE(panel.autoButton.enabled);
    EXPECT_FALSE(panel.kinds[kindIndex(RestartKind::Hot)].enabled);
}

TEST_F(RestartTestRun, StartOverResetsCounterAndFixModeEvenWhenTheRestartIsRefused)
{
    panel.waitTime = "1";
    panel.checked[kindIndex(RestartKind::Hot)] = true;
    receiver.ttffs = {2};
    test.startAutoRun();
    receiver.tick(3);
    ASSERT_EQ(panel.text, "change module.");
    receiver.sendsData = false;
    receiver.tick();
    ASSERT_EQ(panel.text, "Stand by.");
    receiver.sendsData = true;
    receiver.acceptsRestarts = false;
    receiver.ticks = 17;
    receiver.fix = '3';
    test.tickStep(50);
    EXPECT_EQ(receiver.ticks, 0);
    EXPECT_EQ(receiver.fix, '0');
    EXPECT_EQ(panel.text, "AUTO Hot Cycles 1");
    EXPECT_EQ(receiver.restarts.back(), RestartKind::Hot);
}

TEST_F(RestartTestRun, StartOverWithNoBoxCheckedStartsNothing)
{
    panel.checked[kindIndex(RestartKind::Cold)] = true;
    receiver.ttffs = {2};
    test.startAutoRun();
    receiver.tick(3);
    ASSERT_EQ(panel.text, "change module.");
    receiver.sendsData = false;
    receiver.tick();
    panel.checked = {};
    receiver.sendsData = true;
    receiver.tick();
    EXPECT_EQ(panel.text, "");
    EXPECT_EQ(receiver.restarts.size(), 1u);
}

TEST_F(RestartTestRun, TestModeOffStopsEveryAction)
{
    panel.cycles = "2";
    receiver.ttffs = {3, 3};
    test.startSingleRun(RestartKind::Cold);
    receiver.tick(2);
    receiver.testMode = false;
    receiver.tick(20);
    EXPECT_EQ(panel.count(RestartKind::Cold), "2");
    EXPECT_EQ(panel.average(RestartKind::Cold), "");
    EXPECT_EQ(receiver.restarts.size(), 1u);
    EXPECT_EQ(receiver.ticks, 3) << "with the fix held only the test advances the counter";
}

} // namespace
} // namespace norvane
