// The player on the simulated host: what is injected, when, for how many passes, and how it stops.
#include "playback/player.h"

#include "sim_fixture.h"

namespace {

EventRecord rec(int32_t time, uint8_t kind, int32_t p1, int32_t p2 = 0) { return {time, kind, p1, p2}; }

struct Call {
    bool mouse;
    uint32_t flags;
    int32_t dx, dy;
    int vk;
    bool operator==(const Call& o) const {
        return mouse == o.mouse && flags == o.flags && dx == o.dx && dy == o.dy && vk == o.vk;
    }
};
std::ostream& operator<<(std::ostream& os, const Call& c) {
    return os << (c.mouse ? "mouse" : "key") << "{" << std::hex << c.flags << std::dec << "," << c.dx << ","
              << c.dy << "," << c.vk << "}";
}
Call mouse(uint32_t flags, int32_t dx = 0, int32_t dy = 0) { return {true, flags, dx, dy, 0}; }
Call key(int vk, uint32_t flags) { return {false, flags, 0, 0, vk}; }

std::vector<Call> calls() {
    std::vector<Call> out;
    for (const sim::Injection& i : sim::injections()) out.push_back({i.mouse, i.flags, i.dx, i.dy, i.mouse ? 0 : i.vk});
    return out;
}

}  // namespace

class Player : public SimulatedHost {
protected:
    // Plays `records` as the selected script with the given pass count and pause texts.
    void playScript(const std::vector<EventRecord>& records, const std::string& passes = "1",
                    const std::string& pause = "0") {
        putScript("s", records);
        selectScript("s");
        sim::control(编辑框_回放次数).text = passes;
        sim::control(编辑框_间隔时间).text = pause;
        playStart = sim::tick();
        play();
    }
    // Ticks of the injections relative to the start of playback.
    std::vector<int32_t> injectionTimes() const {
        std::vector<int32_t> out;
        for (const sim::Injection& i : sim::injections())
            out.push_back(static_cast<int32_t>(static_cast<uint32_t>(i.tick) - static_cast<uint32_t>(playStart)));
        return out;
    }
    int32_t playStart = 0;
};

TEST_F(Player, InjectsEveryKindWithItsFlags) {
    playScript({rec(10, 0, 19199, 17066), rec(20, 1, 0), rec(30, 1, 2), rec(40, 2, 0), rec(50, 2, 2),
                rec(60, 4, 0), rec(70, 4, 2), rec(80, 3, 0), rec(90, 65, 0), rec(100, 65, 2), rec(110, 5, 0),
                rec(120, 5, 2)});
    EXPECT_EQ(calls(), (std::vector<Call>{mouse(0x8001, 19199, 17066), mouse(0x0002), mouse(0x0004), mouse(0x0008),
                                          mouse(0x0010), mouse(0x0020), mouse(0x0040), key(65, 0), key(65, 2),
                                          key(5, 0), key(5, 2)}))
        << "kind 3 injects nothing; code 5 goes through the keyboard";
}

TEST_F(Player, EachRecordIsInjectedAtTheFirstCheckPastItsTime) {
    const std::vector<EventRecord> records = {rec(0, 65, 0), rec(100, 65, 2), rec(101, 66, 0), rec(250, 66, 2),
                                              rec(250, 0, 1, 1)};
    playScript(records);
    const std::vector<int32_t> times = injectionTimes();
    ASSERT_EQ(times.size(), records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_GT(times[i], records[i].time) << "record " << i + 1 << " is never early, and time 0 waits 1 ms";
        EXPECT_LE(times[i], records[i].time + 3) << "record " << i + 1 << " is late by at most one 3 ms check";
    }
}

TEST_F(Player, PassCountTextDecidesThePasses) {
    struct Case {
        const char* text;
        int passes;
    };
    const Case cases[] = {{"0", 0}, {"", 0}, {"abc", 0}, {"-5", 0}, {"1e400", 0}, {"2.9", 2}, {"１２．５", 12}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        sim::clearInjections();
        playScript({rec(5, 65, 0), rec(6, 65, 2)}, c.text, "0");
        EXPECT_EQ(calls().size(), 2u * c.passes);
        EXPECT_EQ(sim::control(标签_当前次数).text, "执行完毕");
    }
}

TEST_F(Player, PassLabelShowsThePassAndThePassCountText) {
    playScript({rec(5, 65, 0)}, "2.9", "0");
    EXPECT_EQ(sim::textHistory(标签_当前次数), (std::vector<std::string>{"1 / 2.9", "2 / 2.9", "执行完毕"}));
    EXPECT_EQ(sim::control(标签_录制进程).text, "1 / 92000");
}

TEST_F(Player, PauseFollowsEveryPassIncludingTheLast) {
    struct Case {
        const char* pause;
        int32_t ms;
    };
    const Case cases[] = {{"0.5", 500}, {"3", 3000}, {"-2", 0}, {"x", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pause);
        sim::clearInjections();
        playScript({rec(10, 65, 0), rec(20, 65, 2)}, "2", c.pause);
        const std::vector<int32_t> t = injectionTimes();
        ASSERT_EQ(t.size(), 4u);
        // Pass 2 starts when the pause ends; its first record follows 10-13 ms later.
        EXPECT_GE(t[2] - t[1], c.ms + 10);
        EXPECT_LE(t[2] - t[1], c.ms + 13);
        EXPECT_EQ(sim::tick() - playStart - t[3], c.ms) << "the last pass's pause, then 执行完毕";
    }
}

TEST_F(Player, UserF4DuringAPassStopsAfterTheCurrentInjectionWithoutPause) {
    std::vector<EventRecord> records;
    for (int32_t t = 10; t <= 1000; t += 10) records.push_back(rec(t, 0, t, t));
    sim::at(sim::tick() + 355, [] { sim::tapKey(115); });
    playScript(records, "3", "5");
    // The timer runs every 100 ms; the tick after the tap stops the pass.
    const std::vector<int32_t> t = injectionTimes();
    ASSERT_FALSE(t.empty());
    EXPECT_LE(t.back(), 355 + 100 + 3);
    EXPECT_LT(calls().size(), records.size());
    EXPECT_EQ(sim::tick() - playStart, t.back()) << "no pause after an early stop";
    EXPECT_EQ(sim::control(标签_当前次数).text, "执行完毕");
}

TEST_F(Player, F4DuringAPauseLetsTheNextPassInjectOneRecord) {
    playScript({rec(10, 65, 0), rec(20, 65, 2), rec(30, 66, 0), rec(40, 66, 2)}, "3", "1");
    const size_t onePass = calls().size() / 3;
    sim::clearInjections();
    // Tapped during the first pause (which begins about 40 ms in).
    sim::at(sim::tick() + 500, [] { sim::tapKey(115); });
    playScript({rec(10, 65, 0), rec(20, 65, 2), rec(30, 66, 0), rec(40, 66, 2)}, "3", "1");
    EXPECT_EQ(onePass, 4u);
    // Pass 1 whole, pass 2's first record, then the release of the key it left pressed.
    EXPECT_EQ(calls(), (std::vector<Call>{key(65, 0), key(65, 2), key(66, 0), key(66, 2), key(65, 0), key(65, 2)}));
    EXPECT_GE(injectionTimes()[4], 1000) << "the pause was not shortened";
}

TEST_F(Player, PassAcrossTheTickWrapKeepsItsTiming) {
    sim::setTick(INT32_MAX - 50);
    playScript({rec(0, 65, 0), rec(100, 65, 2), rec(200, 66, 0), rec(300, 66, 2)});
    const std::vector<int32_t> t = injectionTimes();
    ASSERT_EQ(t.size(), 4u);
    EXPECT_GE(t[1], 100);
    EXPECT_GE(t[2], 200);
    EXPECT_GE(t[3], 300);
    EXPECT_LE(t[3], 303);
}

TEST_F(Player, KeysAndButtonsLeftDownAreReleasedInReverseOrder) {
    playScript({rec(10, 65, 0), rec(20, 1, 0), rec(30, 66, 0), rec(40, 66, 2), rec(50, 16, 0)});
    EXPECT_EQ(calls(), (std::vector<Call>{key(65, 0), mouse(0x0002), key(66, 0), key(66, 2), key(16, 0), key(16, 2),
                                          mouse(0x0004), key(65, 2)}));
    EXPECT_FALSE(sim::isKeyDown(65) || sim::isKeyDown(1) || sim::isKeyDown(16));
}

TEST_F(Player, ButtonsLabelAndWindowDuringAndAfter) {
    bool recordOn = true, playOn = true, deleteOn = false, minimised = false;
    int precise = 0;
    sim::at(sim::tick() + 20, [&] {
        recordOn = sim::control(按钮_记录).enabled;
        playOn = sim::control(按钮_回放).enabled;
        deleteOn = sim::control(按钮_删除).enabled;
        minimised = sim::windowMinimised();
        precise = sim::preciseTimingDepth();
    });
    playScript({rec(50, 65, 0), rec(60, 65, 2)});
    EXPECT_FALSE(recordOn || playOn);
    EXPECT_TRUE(deleteOn && minimised);
    EXPECT_EQ(precise, 1);
    EXPECT_TRUE(sim::control(按钮_记录).enabled && sim::control(按钮_回放).enabled);
    EXPECT_EQ(sim::windowPosition(), kWindowNormal);
    EXPECT_EQ(sim::preciseTimingDepth(), 0);
}

TEST_F(Player, NothingSelectedLoadsNothingButRunsPassesAndPauses) {
    putScript("s", {rec(5, 65, 0)});
    refreshList();
    sim::control(编辑框_回放次数).text = "2";
    sim::control(编辑框_间隔时间).text = "1";
    const int32_t t0 = sim::tick();
    play();
    EXPECT_TRUE(sim::injections().empty());
    EXPECT_EQ(sim::tick() - t0, 2000);
    EXPECT_EQ(sim::textHistory(标签_当前次数), (std::vector<std::string>{"1 / 2", "2 / 2", "执行完毕"}));
}

TEST_F(Player, ScriptedF4PlaysToTheEndButTheUsersF4StillStops) {
    // The script presses F4 between the timer's ticks, every 100 ms.
    std::vector<EventRecord> records;
    for (int32_t t = 50; t <= 2000; t += 100) {
        records.push_back(rec(t, 115, 0));
        records.push_back(rec(t + 20, 115, 2));
    }
    playScript(records);
    EXPECT_EQ(calls().size(), records.size()) << "the script's own F4 is not the user's";

    sim::clearInjections();
    holdKey(115, sim::tick() + 1010, sim::tick() + 1160);
    playScript(records);
    EXPECT_LT(calls().size(), records.size());
    EXPECT_GE(calls().size(), 20u);
}

TEST_F(Player, ScriptedF2StartsNoRecording) {
    playScript({rec(10, 113, 0), rec(300, 113, 2), rec(600, 65, 0), rec(610, 65, 2)});
    EXPECT_EQ(calls().size(), 4u);
    EXPECT_TRUE(sim::inputBoxCalls().empty());
    EXPECT_EQ(sim::timerPeriod(), 100);
}
