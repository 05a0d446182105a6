// The handlers on the simulated host: hot keys, spinners, list selection and which buttons are enabled.
#include "app/handlers.h"

#include <cstdio>

#include "playback/player.h"
#include "recording/recorder.h"
#include "sim_fixture.h"

using Handlers = SimulatedHost;

namespace {

struct Buttons {
    bool record, stop, play, remove;
    bool operator==(const Buttons& o) const {
        return record == o.record && stop == o.stop && play == o.play && remove == o.remove;
    }
};
std::ostream& operator<<(std::ostream& os, const Buttons& b) {
    return os << "{record " << b.record << ", stop " << b.stop << ", play " << b.play << ", delete " << b.remove
              << "}";
}
Buttons buttons() {
    return {sim::control(按钮_记录).enabled, sim::control(按钮_停止).enabled, sim::control(按钮_回放).enabled,
            sim::control(按钮_删除).enabled};
}

}  // namespace

TEST_F(Handlers, StartUpPressOfF2IsForgottenButF2StillHeldRecords) {
    // The fixture already ran onWindowCreated; do it again with F2 tapped during start-up.
    sim::tapKey(113);
    onWindowCreated();
    runFor(350);
    EXPECT_TRUE(sim::inputBoxCalls().empty());

    sim::pressKey(113);
    onWindowCreated();
    sim::at(sim::tick() + 150, [] { sim::releaseKey(113); });
    pressF3At(sim::tick() + 300);
    runFor(500);
    EXPECT_EQ(sim::inputBoxCalls().size(), 1u) << "F2 held at the first tick starts a recording";
}

TEST_F(Handlers, F2WhileIdleRecordsWithinATickAndF2DuringARecordingIsJustAKey) {
    const int32_t pressed = sim::tick() + 37;
    holdKey(113, pressed, pressed + 120);
    // The second F2 press is an ordinary key of the recording, not a second recording.
    holdKey(113, pressed + 400, pressed + 480);
    pressF3At(pressed + 700);
    runFor(1000);
    ASSERT_EQ(sim::inputBoxCalls().size(), 1u);
    const int32_t started = startTick;
    EXPECT_GT(started, pressed);
    EXPECT_LE(started - pressed, 100);
    EXPECT_EQ(recorded(), (std::vector<Ev>{down(113), up(113)}));
}

TEST_F(Handlers, F4SetsTheStopFlagEvenWhenNothingPlays) {
    stopPlayback = false;
    sim::tapKey(115);
    runFor(120);
    EXPECT_TRUE(stopPlayback);
}

TEST_F(Handlers, SpinnersStepTheTypedNumber) {
    struct Case {
        Control spinner;
        Control edit;
        const char* before;
        bool up;
        const char* after;
    };
    const Case cases[] = {
        {调节器_间隔时间, 编辑框_间隔时间, "3", true, "4"},
        {调节器_间隔时间, 编辑框_间隔时间, "0", false, "0"},
        {调节器_间隔时间, 编辑框_间隔时间, "0.5", false, "-0.5"},
        {调节器_间隔时间, 编辑框_间隔时间, "2.5", false, "1.5"},
        {调节器_间隔时间, 编辑框_间隔时间, "abc", true, "1"},
        {调节器_间隔时间, 编辑框_间隔时间, "1e400", true, "1.#INF"},
        {调节器_间隔时间, 编辑框_间隔时间, "1.#INF", true, "2"},
        {调节器_回放次数, 编辑框_回放次数, "1", false, "1"},
        {调节器_回放次数, 编辑框_回放次数, "1.5", false, "0.5"},
        {调节器_回放次数, 编辑框_回放次数, "abc", true, "1"},
        {调节器_回放次数, 编辑框_回放次数, "9", true, "10"},
        {调节器_回放次数, 编辑框_回放次数, "０.1", true, "1.1"},
    };
    for (const Case& c : cases) {
        sim::control(c.edit).text = c.before;
        sim::spin(c.spinner, c.up, sim::tick());
        processMessages();
        EXPECT_EQ(sim::control(c.edit).text, c.after) << c.before << (c.up ? " up" : " down");
    }
}

TEST_F(Handlers, ButtonStatesFollowTheUsersRoad) {
    putScript("a", {{5, 65, 0, 0}, {6, 65, 2, 0}});
    EXPECT_EQ(buttons(), (Buttons{true, false, false, false})) << "window shown";
    EXPECT_EQ(sim::timerPeriod(), 100);

    sim::select(0, sim::tick());
    processMessages();
    EXPECT_EQ(buttons(), (Buttons{true, false, true, true})) << "an entry selected";

    Buttons recording{};
    sim::click(按钮_记录, sim::tick());
    sim::at(sim::tick() + 50, [&] { recording = buttons(); });
    pressF3At(sim::tick() + 100);
    processMessages();
    EXPECT_EQ(recording, (Buttons{false, true, false, true})) << "recording";
    EXPECT_EQ(buttons(), (Buttons{true, false, false, false})) << "after the refresh that ends a recording";

    sim::select(0, sim::tick());
    processMessages();
    Buttons playing{};
    sim::click(按钮_回放, sim::tick());
    sim::at(sim::tick() + 3, [&] { playing = buttons(); });
    processMessages();
    EXPECT_EQ(playing, (Buttons{false, false, false, true})) << "playing";
    EXPECT_EQ(buttons(), (Buttons{true, false, true, true})) << "playback finished";

    sim::click(按钮_删除, sim::tick());
    processMessages();
    EXPECT_EQ(buttons(), (Buttons{true, false, false, false})) << "after a deletion";
    EXPECT_EQ(sim::listEntries().size(), 1u);
}

TEST_F(Handlers, SelectingDuringARecordingEnablesPlaybackAndDelete) {
    putScript("a", {});
    refreshList();
    Buttons seen{};
    sim::select(0, sim::tick() + 40);
    sim::at(sim::tick() + 60, [&] { seen = buttons(); });
    pressF3At(sim::tick() + 100);
    record();
    EXPECT_EQ(seen, (Buttons{false, true, true, true}));
}

TEST_F(Handlers, PlaybackStartedInsideARecordingCannotBeStoppedWithF4) {
    std::vector<EventRecord> records;
    for (int32_t t = 10; t <= 600; t += 10) records.push_back({t, 0, t, t});
    putScript("long", records);
    refreshList();
    sim::control(编辑框_间隔时间).text = "0";
    sim::select(0, sim::tick() + 20);
    sim::click(按钮_回放, sim::tick() + 30);
    sim::at(sim::tick() + 200, [] { sim::tapKey(115); });
    pressF3At(sim::tick() + 1000);
    record();
    EXPECT_EQ(sim::injections().size(), records.size());
}

TEST_F(Handlers, UsersF2DuringPlaybackRecordsIntoTheSameBufferAndThePassKeepsItsBound) {
    std::vector<EventRecord> records;
    for (int32_t t = 10; t <= 300; t += 10) records.push_back({t, 0, t, t});
    putScript("s", records);
    selectScript("s");
    sim::control(编辑框_间隔时间).text = "0";
    holdKey(113, sim::tick() + 55, sim::tick() + 90);
    holdKey(65, sim::tick() + 120, sim::tick() + 140);
    pressF3At(sim::tick() + 200);
    play();
    ASSERT_EQ(sim::inputBoxCalls().size(), 1u);
    // The recording replaced the buffer, starting with where the playback had left the cursor (1, 1).
    EXPECT_EQ(recorded(), (std::vector<Ev>{move(63, 85), down(65), up(65)}));
    // Every record up to the bound taken before the recording was injected.
    EXPECT_EQ(sim::injections().size(), records.size());
}

TEST_F(Handlers, ClosingTheWindowDuringARecordingExitsWithZeroAndAsksNothing) {
    EXPECT_EXIT(
        {
            sim::onExit([](int) { std::fprintf(stderr, "input boxes: %zu\n", sim::inputBoxCalls().size()); });
            sim::closeWindow(sim::tick() + 200);
            record();
        },
        ::testing::ExitedWithCode(0), "input boxes: 0");
}
