// The recorder on the simulated host: what a poll sees becomes events, in scan order and on time.
#include "recording/recorder.h"

#include "sim_fixture.h"

using Recorder = SimulatedHost;

TEST_F(Recorder, SideSpecificKeysComeBeforeGenericOnesDownAndUp) {
    const int32_t t0 = sim::tick();
    holdKey(160, t0 + 25, t0 + 65);
    holdKey(16, t0 + 25, t0 + 65);
    pressF3At(t0 + 100);
    record();
    EXPECT_EQ(recorded(), (std::vector<Ev>{down(160), down(16), up(160), up(16)}));
    // Seen at the polls at 30 and 70 ms, stamped with the time since the start.
    EXPECT_EQ(eventAt(1).time, 30);
    EXPECT_EQ(eventAt(3).time, 70);
}

TEST_F(Recorder, TapShorterThanAPollGivesDownThenUpOnePollLater) {
    const int32_t t0 = sim::tick();
    sim::at(t0 + 43, [] { sim::tapKey(65); });
    pressF3At(t0 + 100);
    record();
    ASSERT_EQ(recorded(), (std::vector<Ev>{down(65), up(65)}));
    EXPECT_EQ(eventAt(1).time, 50);
    EXPECT_EQ(eventAt(2).time, 60);
}

TEST_F(Recorder, F3IsNeverRecordedAndTheStoppingPollCompletesItsScan) {
    const int32_t t0 = sim::tick();
    holdKey(65, t0 + 5, t0 + 15);
    // F3 and F9 (120, scanned after 114) go down together; the scan still reaches F9.
    sim::at(t0 + 35, [] {
        sim::pressKey(114);
        sim::pressKey(120);
    });
    record();
    EXPECT_EQ(recorded(), (std::vector<Ev>{down(65), up(65), down(120)}));
    EXPECT_EQ(sim::tick() - t0, 40 + 10) << "the stopping poll is at 40 ms, followed by its sleep";
}

TEST_F(Recorder, StopButtonEndsTheRecording) {
    const int32_t t0 = sim::tick();
    sim::click(按钮_停止, t0 + 200);
    record();
    EXPECT_EQ(eventCount, 0);
    EXPECT_GE(sim::tick() - t0, 200);
    EXPECT_LE(sim::tick() - t0, 220);
    ASSERT_EQ(sim::inputBoxCalls().size(), 1u);
    EXPECT_EQ(sim::files().at(scriptPath("2011年8月8日13时2分45秒")).size(), 0u) << "nothing happened: an empty script";
}

TEST_F(Recorder, CursorPositionsAreNormalisedWithTruncationTowardZero) {
    struct Case {
        int32_t x, y;
        Ev event;
    };
    const Case cases[] = {
        {512, 384, move(32767, 32767)},   // 32767.5 truncated
        {0, 767, move(0, 65449)},         // 65449.67
        {1023, 1, move(65471, 85)},       // 65471.001, 85.33
        {-100, -1, move(-6399, -85)},     // a monitor left of the primary one
    };
    int32_t t = sim::tick();
    for (const Case& c : cases) sim::at(t += 20, [c] { sim::setCursor(c.x, c.y); });
    pressF3At(t + 20);
    record();
    std::vector<Ev> expected;
    for (const Case& c : cases) expected.push_back(c.event);
    EXPECT_EQ(recorded(), expected);
}

TEST_F(Recorder, LastCursorCarriesOverToTheNextRecording) {
    int32_t t0 = sim::tick();
    sim::at(t0 + 15, [] { sim::setCursor(300, 200); });
    pressF3At(t0 + 50);
    record();
    EXPECT_EQ(recorded(), (std::vector<Ev>{move(19199, 17066)}));

    // Unmoved since: the second recording starts with no move event.
    t0 = sim::tick();
    pressF3At(t0 + 50);
    record();
    EXPECT_EQ(eventCount, 0);
}

TEST_F(Recorder, KeyHeldAtTheStopHasADownAndNoUp) {
    const int32_t t0 = sim::tick();
    sim::at(t0 + 15, [] { sim::pressKey(2); });
    pressF3At(t0 + 60);
    record();
    EXPECT_EQ(recorded(), (std::vector<Ev>{down(2)}));
}

TEST_F(Recorder, KeyHeldWhenTheRecordingStartsIsIgnoredUntilReleased) {
    sim::pressKey(113);  // the F2 that started it, still held
    const int32_t t0 = sim::tick();
    sim::at(t0 + 45, [] { sim::releaseKey(113); });
    holdKey(113, t0 + 85, t0 + 125);  // a real F2 press during the recording
    pressF3At(t0 + 200);
    record();
    ASSERT_EQ(recorded(), (std::vector<Ev>{down(113), up(113)}));
    EXPECT_EQ(eventAt(1).time, 90);
}

TEST_F(Recorder, FullBufferStopsTheRecordingAndSavesExactly92000Records) {
    // The cursor moves before every poll; F3 never comes.
    struct Mover {
        static void step(int32_t at, int32_t x) {
            sim::at(at, [at, x] {
                sim::setCursor(x % 1000, x / 1000);
                step(at + 10, x + 1);
            });
        }
    };
    Mover::step(sim::tick() + 5, 1);
    record();
    EXPECT_EQ(eventCount, kBufferCapacity);
    ASSERT_EQ(sim::messageBoxCalls().size(), 1u);
    EXPECT_EQ(sim::messageBoxCalls()[0].text, "缓冲区已满，录制被迫中止。");
    EXPECT_EQ(sim::files().at(scriptPath("2011年8月8日13时2分45秒")).size(), 1196000u);
}

TEST_F(Recorder, WindowButtonsTimerAndPrecisionBeforeDuringAndAfter) {
    struct Seen {
        bool recordOn, stopOn, playOn, deleteOn, minimised;
        int32_t timer;
        int precise;
    };
    auto look = [] {
        return Seen{sim::control(按钮_记录).enabled, sim::control(按钮_停止).enabled, sim::control(按钮_回放).enabled,
                    sim::control(按钮_删除).enabled, sim::windowMinimised(), sim::timerPeriod(),
                    sim::preciseTimingDepth()};
    };
    putScript("old", {});
    selectScript("old");
    const Seen before = look();
    EXPECT_TRUE(before.recordOn && before.playOn && before.deleteOn);
    EXPECT_FALSE(before.stopOn || before.minimised);
    EXPECT_EQ(before.timer, 100);

    Seen during{};
    const int32_t t0 = sim::tick();
    sim::at(t0 + 50, [&] { during = look(); });
    pressF3At(t0 + 100);
    record();
    EXPECT_FALSE(during.recordOn || during.playOn);
    EXPECT_TRUE(during.stopOn && during.deleteOn && during.minimised);
    EXPECT_EQ(during.timer, 0);
    EXPECT_EQ(during.precise, 1);

    const Seen after = look();
    EXPECT_TRUE(after.recordOn);
    EXPECT_FALSE(after.stopOn || after.playOn || after.deleteOn || after.minimised);
    EXPECT_EQ(after.timer, 100);
    EXPECT_EQ(after.precise, 0);
    EXPECT_EQ(sim::windowPosition(), kWindowNormal);
    EXPECT_EQ(sim::listEntries(), (std::vector<std::string>{"2011年8月8日13时2分45秒.mrc", "old.mrc"}))
        << "in the order the folder lists them";
}

TEST_F(Recorder, UntickedMinimiseOptionLeavesTheWindowAlone) {
    sim::control(选择框_最小化).checked = false;
    pressF3At(sim::tick() + 30);
    record();
    EXPECT_EQ(sim::windowPosition(), kWindowNormal) << "only the final show-normally touched it";
    EXPECT_EQ(sim::textHistory(标签_录制进程).size(), 0u);
}

TEST_F(Recorder, ProgressLabelCountsTheEvents) {
    const int32_t t0 = sim::tick();
    holdKey(65, t0 + 5, t0 + 25);
    pressF3At(t0 + 60);
    record();
    EXPECT_EQ(sim::textHistory(标签_录制进程), (std::vector<std::string>{"1 / 92000", "2 / 92000"}));
}
