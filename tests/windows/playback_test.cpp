// Playback into a window of the test's own: every event in order, F4 stopping it, hot keys inside a script.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/controls.h"
#include "support/find.h"
#include "support/input.h"
#include "support/input_logger.h"
#include "support/input_match.h"
#include "support/probe.h"
#include "support/program.h"
#include "support/read.h"
#include "support/rec_script.h"
#include "support/script_events.h"
#include "support/velmora_actions.h"
#include "support/wait.h"

namespace {

using rig::kDown;
using rig::kUp;
using rig::ScriptRecord;

// Left of Velmora's window (which sits in the middle of the screen), so the two never overlap.
const rig::Box kTargetPlace = {10, 10, 360, 400};
constexpr uint8_t kAlt = VK_MENU;
constexpr uint8_t kF2 = VK_F2;
constexpr uint8_t kF4 = VK_F4;

// A point of the target's client area, spread over it by `n` so that consecutive points differ.
POINT spreadPoint(const rig::Box& client, int n) {
    return {client.x + 20 + (n * 37) % (client.width - 40), client.y + 20 + (n * 53) % (client.height - 40)};
}

void addMove(std::vector<ScriptRecord>& events, int32_t time, const rig::Box& client, int n) {
    POINT p = spreadPoint(client, n);
    events.push_back(rig::moveTo(time, p.x, p.y));
}

void addPress(std::vector<ScriptRecord>& events, int32_t& time, uint8_t code, int stepMs) {
    events.push_back({time, code, kDown, 0});
    time += stepMs;
    events.push_back({time, code, kUp, 0});
    time += stepMs;
}

// Moves all over the target, left and right clicks on it, and the keys A..Z: 296 events, 20 ms apart.
std::vector<ScriptRecord> typicalScript(const rig::Box& client) {
    std::vector<ScriptRecord> events;
    int32_t time = 100;
    const int step = 20;
    for (int letter = 0; letter < 26; ++letter) {
        for (int m = 0; m < 8; ++m, time += step) addMove(events, time, client, letter * 8 + m);
        if (letter % 3 != 2) addPress(events, time, letter % 3 == 0 ? 1 : 2, step);
        addPress(events, time, (uint8_t)('A' + letter), step);
    }
    return events;
}

// About 20 s: K and the left button held from the start to the end, moves every 50 ms, J tapped each second.
std::vector<ScriptRecord> longScript(const rig::Box& client) {
    std::vector<ScriptRecord> events;
    events.push_back({100, 'K', kDown, 0});
    addMove(events, 200, client, 0);
    events.push_back({300, 1, kDown, 0});
    for (int32_t time = 350, n = 1; time < 19800; time += 50, ++n) {
        if (n % 20 == 0) {
            addPress(events, time, 'J', 25);
            time -= 50;
        } else {
            addMove(events, time, client, n);
        }
    }
    events.push_back({19900, 1, kUp, 0});
    events.push_back({19950, 'K', kUp, 0});
    return events;
}

// What the player still holds after injecting `expected[0..count)`, released in reverse order of pressing.
std::vector<std::string> releasesAfter(const std::vector<rig::ExpectedInput>& expected, size_t count) {
    std::vector<int> held;
    for (size_t k = 0; k < count; ++k) {
        const rig::ExpectedInput& e = expected[k];
        if (e.code == 0) continue;
        for (size_t i = 0; i < held.size(); ++i) {
            if (held[i] == e.code) held.erase(held.begin() + i);
        }
        if (e.transition == 0) held.push_back(e.code);
    }
    const char* const buttons[] = {"", "lbuttonup", "rbuttonup", "", "mbuttonup"};
    std::vector<std::string> releases;
    for (auto code = held.rbegin(); code != held.rend(); ++code) {
        releases.push_back(*code <= 4 ? buttons[*code] : "keyup " + std::to_string(*code));
    }
    return releases;
}

std::vector<rig::LoggedInput> withoutCode(const std::vector<rig::LoggedInput>& log, int code) {
    std::vector<rig::LoggedInput> kept;
    for (const rig::LoggedInput& input : log) {
        if (input.code != code) kept.push_back(input);
    }
    return kept;
}

struct Playback : testing::Test {
    rig::Program program;
    rig::InputLogger logger;
    HWND velmora = nullptr;
    rig::Box client = {};

    // The target window opens first; each test then starts Velmora with its script.
    void SetUp() override {
        ASSERT_TRUE(rig::startInputLogger(logger, kTargetPlace, L"playback target"));
        client = rig::clientOnScreen(logger.window);
    }
    // Velmora with `script` as its only script, scripts\demo.mrc.
    void startWith(const std::vector<ScriptRecord>& script) {
        std::string error;
        ASSERT_TRUE(rig::startVelmora(program, error, {{"scripts\\demo.mrc", rig::scriptBytes(script)}})) << error;
        velmora = rig::waitForVelmora(program.id);
        ASSERT_NE(velmora, nullptr);
        ASSERT_TRUE(rig::waitUntil([&] { return rig::listEntries(control(列表框_脚本)).size() == 1; }));
    }
    void TearDown() override {
        if (HasFailure() && velmora) std::printf("probe of the window:\n%s", rig::probeReport(velmora).c_str());
        // Nothing the test pressed may stay down for the tests after it.
        for (WORD vk : {(WORD)'K', (WORD)'J', (WORD)kAlt, (WORD)kF4, (WORD)kF2}) {
            if (GetAsyncKeyState(vk) & 0x8000) rig::keyUp(vk);
        }
        if (GetAsyncKeyState(VK_LBUTTON) & 0x8000) rig::leftUp();
        rig::dispose(program);
        rig::stopInputLogger(logger);
    }
    HWND control(Control id) { return rig::findControl(velmora, id); }
    std::string text(Control id) { return rig::textOf(control(id)); }

    // One pass, no pause.
    void play() {
        std::string failure;
        ASSERT_TRUE(rig::startPlayback(velmora, 0, "1", "0", logger, failure)) << failure;
    }
    bool finished(int timeoutMs) {
        return rig::waitUntil([&] { return text(标签_当前次数) == "执行完毕"; }, timeoutMs);
    }
    // The window as a finished playback leaves it: shown normally, record and playback enabled.
    void expectShownAgain() {
        EXPECT_TRUE(rig::waitUntil([&] {
            return IsWindowEnabled(control(按钮_记录)) && IsWindowEnabled(control(按钮_回放)) && !IsIconic(velmora);
        })) << "record enabled " << IsWindowEnabled(control(按钮_记录)) << ", playback enabled "
            << IsWindowEnabled(control(按钮_回放)) << ", iconic " << IsIconic(velmora);
        EXPECT_TRUE(IsWindowVisible(velmora));
    }
};

TEST_F(Playback, DeliversEveryEventInOrderAtItsTime) {
    std::vector<ScriptRecord> script = typicalScript(client);
    startWith(script);
    play();
    EXPECT_TRUE(rig::waitUntil([&] { return text(标签_当前次数) == "1 / 1"; }));
    EXPECT_TRUE(rig::waitUntil([&] { return IsIconic(velmora) != 0; })) << "minimised while playing";
    ASSERT_TRUE(finished(60000));
    expectShownAgain();
    EXPECT_EQ(text(标签_录制进程), std::to_string(script.size()) + " / 92000");

    std::vector<rig::ExpectedInput> expected = rig::expectedFrom(script);
    std::vector<rig::LoggedInput> log = rig::loggedInputs(logger);
    rig::InputMatch match = rig::matchInOrder(expected, log);
    EXPECT_EQ(match.problem, "");
    EXPECT_EQ(match.matched, expected.size());
    EXPECT_EQ(rig::nonMovesFrom(log, match.next), std::vector<std::string>{}) << "input after the script's end";

    rig::Lateness late = rig::latenessOf(expected, log, match);
    std::printf("timing of %zu events (script %.0f ms): lateness median %.1f ms, max %.1f ms, min %.1f ms; "
                "%zu moves merged, %zu events displaced, %zu messages logged\n",
                late.count, expected.back().timeMs - expected.front().timeMs, late.medianMs, late.maxMs,
                late.minMs, match.merged, match.displaced, log.size());
    // Only gross faults: a burst (events far too early) or a drift of seconds; a few events displaced by
    // Wine's late pointer echoes, not a player that misorders or misplaces them.
    EXPECT_GT(late.minMs, -500);
    EXPECT_LT(late.maxMs, 3000);
    EXPECT_LE(match.displaced, expected.size() / 20);
}

TEST_F(Playback, F4StopsALongPlaybackAndNothingStaysPressed) {
    std::vector<ScriptRecord> script = longScript(client);
    startWith(script);
    play();
    ASSERT_TRUE(rig::waitUntil([&] { return rig::loggedInputs(logger).size() >= 40; }, 30000));
    DWORD pressed = GetTickCount();
    rig::holdKey(kF4, 150);
    ASSERT_TRUE(finished(5000)) << "still playing 5 s after F4";
    std::printf("\"执行完毕\" %lu ms after F4 went down\n", GetTickCount() - pressed);
    expectShownAgain();

    std::vector<rig::ExpectedInput> expected = rig::expectedFrom(script);
    std::vector<rig::LoggedInput> log = withoutCode(rig::loggedInputs(logger), kF4);
    rig::InputMatch match = rig::matchInOrder(expected, log);
    EXPECT_LT(match.matched, expected.size());
    std::printf("%zu of %zu events arrived before the stop\n", match.matched, expected.size());
    // What arrived is the script's beginning, then the releases of whatever it held, last pressed first.
    EXPECT_EQ(rig::nonMovesFrom(log, match.next), releasesAfter(expected, match.matched)) << match.problem;
    EXPECT_EQ(text(标签_录制进程), std::to_string(match.matched) + " / 92000");
    for (int vk : {(int)'K', (int)'J', VK_LBUTTON}) {
        EXPECT_EQ(GetAsyncKeyState(vk) & 0x8000, 0) << "key " << vk << " still down";
    }
}

// Hot keys the playback itself injects act like any other key: the script plays to its end.
TEST_F(Playback, HotKeysInsideAScriptDoNotActAsHotKeys) {
    struct Case {
        const char* what;
        std::vector<uint8_t> chord;  // pressed in order, released in reverse
    };
    const Case cases[] = {{"Alt+F4", {kAlt, kF4}}, {"F2", {kF2}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<ScriptRecord> script;
        int32_t time = 100;
        addMove(script, time, client, 1);
        time += 100;
        addPress(script, time, 'M', 60);
        for (uint8_t vk : c.chord) script.push_back({time += 60, vk, kDown, 0});
        for (auto vk = c.chord.rbegin(); vk != c.chord.rend(); ++vk) script.push_back({time += 60, *vk, kUp, 0});
        // A marker well after the hot key: several timer ticks, any of which could act on it.
        for (int n = 2; n < 12; ++n) addMove(script, time += 100, client, n);
        addPress(script, time, 'N', 60);

        startWith(script);
        play();
        bool recordingSeen = false;
        auto recordingStarted = [&] {
            recordingSeen = recordingSeen || IsWindowEnabled(control(按钮_停止)) ||
                            rig::findDialog(program.id, "保存脚本") != nullptr;
            return recordingSeen;
        };
        EXPECT_TRUE(rig::waitUntil([&] { return recordingStarted() || text(标签_当前次数) == "执行完毕"; }, 30000));
        // Half a second more of watching: five timer ticks that could still start a recording.
        rig::waitUntil(recordingStarted, 500);
        EXPECT_FALSE(recordingSeen) << "a recording started";
        EXPECT_EQ(text(标签_当前次数), "执行完毕");
        EXPECT_TRUE(rig::isRunning(program));
        expectShownAgain();

        std::vector<rig::LoggedInput> log = rig::loggedInputs(logger);
        rig::InputMatch match = rig::matchInOrder(rig::expectedFrom(script), withoutCode(log, -1));
        EXPECT_EQ(match.problem, "");
        if (c.chord.size() == 2) {
            bool closeAsked = false;
            for (const rig::LoggedInput& input : log) {
                bool altF4 = input.message == WM_SYSKEYDOWN && input.code == kF4 && (input.keyData & (1 << 29));
                closeAsked = closeAsked || altF4 || input.message == WM_CLOSE;
            }
            EXPECT_TRUE(closeAsked) << "the target got no Alt+F4";
        }
        if (velmora) {
            DWORD code = 0;
            EXPECT_TRUE(rig::closeAndWait(velmora, program, 10000, code));
        }
        rig::dispose(program);
        velmora = nullptr;
    }
}

}  // namespace
