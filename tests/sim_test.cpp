// The simulated host's own logic: the pressed-since bit, the clock across the wrap, the hot-key timer.
#include "host/sim/sim.h"

#include <gtest/gtest.h>

#include "app/handlers.h"
#include "app/state.h"
#include "host/host.h"

namespace {

// Whether a hot-key tick ran during this message processing: each tick looks at F4.
bool tickRanWhilePumping() {
    stopPlayback = false;
    sim::tapKey(115);
    processMessages();
    keyState(115);  // forget the tap if no tick took it
    return stopPlayback;
}

}  // namespace

class Simulation : public ::testing::Test {
protected:
    void SetUp() override {
        sim::reset();
        createSharedState();
    }
    void TearDown() override { cleanUp(); }
};

TEST_F(Simulation, KeyStateReportsDownNowAndPressedSinceTheLastQuery) {
    struct Step {
        void (*act)(int);
        int16_t expected;
    };
    const int16_t down = static_cast<int16_t>(0x8000), downAndPressed = static_cast<int16_t>(0x8001);
    const Step steps[] = {
        {nullptr, 0},                     // untouched
        {sim::pressKey, downAndPressed},  // the press is remembered once...
        {nullptr, down},                  // ...then only "down" is left
        {sim::releaseKey, 0},
        {sim::tapKey, 1},                 // pressed and released between two queries
        {nullptr, 0},
    };
    for (const Step& step : steps) {
        if (step.act) step.act(65);
        EXPECT_EQ(keyState(65), step.expected);
    }
    EXPECT_EQ(keyState(66), 0) << "other keys are untouched";
}

TEST_F(Simulation, ClockRunsAcrossTheSigned32BitWrapAndRunsScheduledInputOnTheWay) {
    sim::setTick(INT32_MAX - 5);
    std::vector<int32_t> seen;
    sim::at(INT32_MIN + 4, [&] { seen.push_back(sim::tick()); });
    sim::at(INT32_MAX - 1, [&] { seen.push_back(sim::tick()); });
    sleepMs(20);
    EXPECT_EQ(seen, (std::vector<int32_t>{INT32_MAX - 1, INT32_MIN + 4}));
    EXPECT_EQ(tickCount(), INT32_MIN + 14);
}

TEST_F(Simulation, TimerTicksOnlyWhileMessagesAreProcessedWithAtMostOnePending) {
    setTimerPeriod(时钟_热键, 100);
    sleepMs(99);
    EXPECT_FALSE(tickRanWhilePumping()) << "not due yet";
    // Several periods pass in one sleep, but one tick is waiting afterwards, not five.
    sleepMs(450);
    EXPECT_TRUE(tickRanWhilePumping());
    EXPECT_FALSE(tickRanWhilePumping());
    // The schedule runs on at 100 ms steps: after 549 ms the next tick is due at 600.
    sleepMs(50);
    EXPECT_FALSE(tickRanWhilePumping());
    sleepMs(1);
    EXPECT_TRUE(tickRanWhilePumping());
}

TEST_F(Simulation, TimerKeepsItsScheduleWhenGivenTheSamePeriodAndStopsAtZero) {
    setTimerPeriod(时钟_热键, 100);
    sleepMs(90);
    setTimerPeriod(时钟_热键, 100);
    sleepMs(15);
    EXPECT_TRUE(tickRanWhilePumping()) << "the same period must not restart the timer";
    setTimerPeriod(时钟_热键, 0);
    sleepMs(500);
    EXPECT_FALSE(tickRanWhilePumping());
}
