// The road of a typical use, as a user walks it: F2, work in another window, F3, name, play twice, delete.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
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
#include "support/rec_actions.h"
#include "support/rec_dialogs.h"
#include "support/rec_script.h"
#include "support/screenshot.h"
#include "support/script_events.h"
#include "support/utf8.h"
#include "support/velmora_actions.h"
#include "support/wait.h"

namespace {

const rig::Box kTargetPlace = {10, 10, 360, 400};

// Which of the four command buttons are enabled, and whether the window is minimised.
struct WindowState {
    bool record, stop, play, remove, iconic;
};

std::string describe(const WindowState& s) {
    return std::string("录制 ") + (s.record ? "on" : "off") + ", 停止 " + (s.stop ? "on" : "off") + ", 回放 " +
           (s.play ? "on" : "off") + ", 删除 " + (s.remove ? "on" : "off") + (s.iconic ? ", minimised" : ", shown");
}

// One thing the user does in the target window while recording.
struct Action {
    int code;        // 0 move, 1 left, 2 right, else a key
    int transition;  // 0 down, 2 up
    POINT at;        // for moves
};

std::vector<Action> userActions(const rig::Box& client) {
    std::vector<Action> actions;
    auto move = [&](int x, int y) { actions.push_back({0, 0, {client.x + x, client.y + y}}); };
    auto press = [&](int code) {
        actions.push_back({code, 0, {}});
        actions.push_back({code, 2, {}});
    };
    for (int n = 1; n <= 5; ++n) move(30 * n, 20 * n + 40);
    press(1);
    move(200, 200);
    move(240, 260);
    press(2);
    move(100, 300);
    for (char key : std::string("VELMORA")) press(key);
    move(60, 80);
    press(1);
    return actions;
}

void perform(const Action& a) {
    if (a.code == 0) return rig::moveMouseTo(a.at.x, a.at.y);
    INPUT input = {};
    if (a.code == 1 || a.code == 2) {
        input.type = INPUT_MOUSE;
        const DWORD flags[2][2] = {{MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP},
                                   {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP}};
        input.mi.dwFlags = flags[a.code - 1][a.transition / 2];
        SendInput(1, &input, sizeof input);
    } else if (a.transition == 0) {
        rig::keyDown((WORD)a.code);
    } else {
        rig::keyUp((WORD)a.code);
    }
}

// The suggested name for a moment, as the program writes it: no padding, trailing zero fields left out.
std::string dateName(const SYSTEMTIME& t) {
    char name[80];
    int n = std::snprintf(name, sizeof name, "%d年%d月%d日", t.wYear, t.wMonth, t.wDay);
    if (t.wSecond)
        std::snprintf(name + n, sizeof name - n, "%d时%d分%d秒", t.wHour, t.wMinute, t.wSecond);
    else if (t.wMinute)
        std::snprintf(name + n, sizeof name - n, "%d时%d分", t.wHour, t.wMinute);
    else if (t.wHour)
        std::snprintf(name + n, sizeof name - n, "%d时", t.wHour);
    return name;
}

ULONGLONG hundredNsOf(const SYSTEMTIME& t) {
    FILETIME f;
    SystemTimeToFileTime(&t, &f);
    return ((ULONGLONG)f.dwHighDateTime << 32) | f.dwLowDateTime;
}

// The names of every second from a second before `from` to a second after `to`.
std::vector<std::string> namesBetween(const SYSTEMTIME& from, const SYSTEMTIME& to) {
    const ULONGLONG second = 10000000;
    ULONGLONG first = (hundredNsOf(from) / second - 1) * second;
    ULONGLONG last = hundredNsOf(to) + second;
    std::vector<std::string> names;
    for (ULONGLONG at = first; at <= last; at += second) {
        FILETIME f = {(DWORD)at, (DWORD)(at >> 32)};
        SYSTEMTIME t;
        FileTimeToSystemTime(&f, &t);
        names.push_back(dateName(t));
    }
    return names;
}

// Waits until the cursor is at `at`.
bool cursorReached(POINT at) {
    return rig::waitUntil([&] {
        POINT now;
        return GetCursorPos(&now) && now.x == at.x && now.y == at.y;
    });
}

// A script's records as the log of a window that received them: moves at their pixels, clicks where the
// last move left the cursor.
std::vector<rig::LoggedInput> asLog(const std::vector<rig::ScriptRecord>& records) {
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    std::vector<rig::LoggedInput> log;
    POINT cursor = {-1, -1};
    for (const rig::ScriptRecord& r : records) {
        if (r.kind == 0) cursor = {rig::pixelOf(r.p1, width), rig::pixelOf(r.p2, height)};
        rig::LoggedInput input = {};
        input.code = r.kind;
        input.transition = r.kind == 0 || r.p1 == 0 ? 0 : 2;
        input.screen = cursor;
        const UINT buttons[5][2] = {{WM_MOUSEMOVE, WM_MOUSEMOVE},   {WM_LBUTTONDOWN, WM_LBUTTONUP},
                                    {WM_RBUTTONDOWN, WM_RBUTTONUP}, {WM_KEYDOWN, WM_KEYUP},
                                    {WM_MBUTTONDOWN, WM_MBUTTONUP}};
        input.message = buttons[r.kind <= 4 ? r.kind : 3][input.transition / 2];
        log.push_back(input);
    }
    return log;
}

struct Road : testing::Test {
    rig::Program program;
    rig::InputLogger logger;
    HWND velmora = nullptr;

    void TearDown() override {
        if (HasFailure() && velmora) std::printf("probe of the window:\n%s", rig::probeReport(velmora).c_str());
        rig::dispose(program);
        rig::stopInputLogger(logger);
    }
    HWND control(Control id) { return rig::findControl(velmora, id); }
    std::string text(Control id) { return rig::textOf(control(id)); }
    WindowState state() {
        return {IsWindowEnabled(control(按钮_记录)) != 0, IsWindowEnabled(control(按钮_停止)) != 0,
                IsWindowEnabled(control(按钮_回放)) != 0, IsWindowEnabled(control(按钮_删除)) != 0,
                IsIconic(velmora) != 0};
    }
    // The state settles as the program's handlers run: wait for it, then say what it was.
    void expectState(const char* step, WindowState want) {
        bool reached = rig::waitUntil([&] { return describe(state()) == describe(want); });
        EXPECT_TRUE(reached) << step << ": " << describe(state()) << ", expected " << describe(want);
    }
    // Taken once the program has painted what it shows: it waits for input with nothing left to do,
    // and the system has had a moment to put the painting on the screen.
    void screenshot(const char* name) {
        WaitForInputIdle(program.process, 5000);
        Sleep(300);
        std::string error;
        EXPECT_TRUE(rig::saveScreenshot(name, error)) << error;
    }
};

TEST_F(Road, RecordNamePlayTwiceAndDelete) {
    ASSERT_TRUE(rig::startInputLogger(logger, kTargetPlace, L"the user's work"));
    const rig::Box client = rig::clientOnScreen(logger.window);
    std::string error;
    ASSERT_TRUE(rig::startVelmora(program, error)) << error;
    velmora = rig::waitForVelmora(program.id);
    ASSERT_NE(velmora, nullptr);
    expectState("started", {true, false, false, false, false});
    EXPECT_EQ(rig::listEntries(control(列表框_脚本)), std::vector<std::string>{});
    EXPECT_TRUE(rig::waitUntil([&] { return GetForegroundWindow() == velmora; }));
    screenshot("road-1-idle");

    // F2, held as a person holds it, while the user works in another window.
    ASSERT_TRUE(rig::bringToFrontToStay(logger.window));
    const POINT start = {client.x + 10, client.y + 10};
    rig::moveMouseTo(start.x, start.y);
    ASSERT_TRUE(cursorReached(start));
    DWORD pressed = GetTickCount();
    rig::keyDown(VK_F2);
    bool started = rig::waitUntil([&] { return IsWindowEnabled(control(按钮_停止)) != 0; }, 3000);
    DWORD latency = GetTickCount() - pressed;
    if (latency < 150) Sleep(150 - latency);
    rig::keyUp(VK_F2);
    ASSERT_TRUE(started) << "no recording 3 s after F2";
    std::printf("recording started %lu ms after F2 went down\n", latency);
    expectState("recording", {false, true, false, false, true});
    EXPECT_EQ(GetForegroundWindow(), logger.window);

    // The cursor sits away from where the last recording left it, so the first poll records it.
    HWND progress = control(标签_录制进程);
    ASSERT_TRUE(rig::waitUntil([&] { return rig::progressCount(progress) == 1; })) << rig::textOf(progress);
    screenshot("road-2-recording");
    // Each step waits until the progress label has counted it, so none is lost to a slow poll.
    const std::vector<Action> actions = userActions(client);
    for (size_t n = 0; n < actions.size(); ++n) {
        int before = rig::progressCount(progress);
        perform(actions[n]);
        if (actions[n].code == 0) ASSERT_TRUE(cursorReached(actions[n].at)) << "action " << n;
        ASSERT_TRUE(rig::waitUntil([&] { return rig::progressCount(progress) > before; }))
            << "action " << n << ": the label reads " << rig::textOf(progress);
    }

    // F3 ends the recording; the name box offers the date and time.
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    rig::holdKey(VK_F3, 150);
    HWND box = rig::waitForInputBox(program.id, "保存脚本", 10000);
    GetLocalTime(&after);
    ASSERT_NE(box, nullptr) << "no input box after F3";
    HWND nameField = rig::editFieldOf(box);
    ASSERT_NE(nameField, nullptr);
    const std::string name = rig::textOf(nameField);
    std::vector<std::string> names = namesBetween(before, after);
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << "offered name " << name;
    screenshot("road-3-name-box");
    ASSERT_TRUE(rig::confirm(box)) << "Enter did not close the box";

    // Saved: the list shows it, the window is back, nothing is selected yet.
    HWND list = control(列表框_脚本);
    EXPECT_TRUE(rig::waitUntil([&] { return rig::listEntries(list) == std::vector<std::string>{name + ".mrc"}; }))
        << "list holds " << testing::PrintToString(rig::listEntries(list));
    expectState("saved", {true, false, false, false, false});
    EXPECT_EQ(rig::listSelectionOf(list), -1);
    const std::wstring file = program.runDirectory + L"\\scripts\\" + rig::toWide(name) + L".mrc";
    std::string bytes;
    ASSERT_TRUE(rig::readWholeFile(file, bytes)) << rig::toUtf8(file);
    std::vector<rig::ScriptRecord> recorded = rig::decodeScript(bytes);
    // The script holds what the user did: the move to the start, then every action (Wine may add moves).
    std::vector<rig::ExpectedInput> done = {{0, 0, start, 0}};
    for (const Action& a : actions) done.push_back({a.code, a.transition, a.at, 0});
    rig::InputMatch inScript = rig::matchInOrder(done, asLog(recorded), 1);
    EXPECT_EQ(inScript.problem, "");
    EXPECT_LE(inScript.displaced, 2u);
    std::printf("%zu events recorded for %zu actions\n", recorded.size(), actions.size());

    // Selecting it enables playback and deletion.
    ASSERT_TRUE(rig::clickListEntry(list, 0));
    expectState("selected", {true, false, true, true, false});

    // Two passes, a second apart, into the target in front.
    ASSERT_TRUE(rig::startPlayback(velmora, 0, "2", "1", logger, error)) << error;
    EXPECT_TRUE(rig::waitUntil([&] { return text(标签_当前次数) == "1 / 2"; }));
    expectState("playing", {false, false, false, true, true});
    EXPECT_TRUE(rig::waitUntil([&] { return text(标签_当前次数) == "2 / 2"; }, 60000));
    ASSERT_TRUE(rig::waitUntil([&] { return text(标签_当前次数) == "执行完毕"; }, 60000));
    expectState("played", {true, false, true, true, false});
    EXPECT_EQ(text(标签_录制进程), std::to_string(recorded.size()) + " / 92000");
    screenshot("road-4-played");

    // The target got the script twice, as recorded.
    std::vector<rig::ExpectedInput> expected = rig::expectedFrom(recorded);
    const size_t perPass = expected.size();
    expected.insert(expected.end(), expected.begin(), expected.end());
    std::vector<rig::LoggedInput> log = rig::loggedInputs(logger);
    // A recorded position maps back to the pixel or the one before it.
    rig::InputMatch match = rig::matchInOrder(expected, log, 1);
    EXPECT_EQ(match.problem, "");
    ASSERT_EQ(match.matched, expected.size());
    EXPECT_EQ(rig::nonMovesFrom(log, match.next), std::vector<std::string>{});
    // From the last event of pass 1 (a button release, never merged) to the first of pass 2 that arrived.
    size_t second = perPass;
    while (match.at[second] == rig::kMerged) ++second;
    double gap = rig::msBetween(log[match.at[perPass - 1]].at, log[match.at[second]].at);
    std::vector<rig::ExpectedInput> firstPass(expected.begin(), expected.begin() + perPass);
    rig::Lateness late = rig::latenessOf(firstPass, log, match);
    std::printf("pass 1: lateness median %.1f ms, max %.1f ms, min %.1f ms; %.0f ms from its last event to the "
                "first of pass 2; %zu moves merged, %zu events displaced\n",
                late.medianMs, late.maxMs, late.minMs, gap, match.merged, match.displaced);
    EXPECT_GE(gap, 950) << "the one-second pause between passes";
    EXPECT_LE(match.displaced, 4u) << "more than Wine's late pointer echoes explain";

    // Deleting it empties the list and the folder.
    ASSERT_TRUE(rig::clickButton(control(按钮_删除)));
    EXPECT_TRUE(rig::waitUntil([&] { return rig::listEntries(list).empty(); }));
    expectState("deleted", {true, false, false, false, false});
    EXPECT_TRUE(rig::waitUntil([&] { return !rig::fileExists(file); })) << "the file is still there";

    DWORD exitCode = 1;
    EXPECT_TRUE(rig::closeAndWait(velmora, program, 10000, exitCode));
    EXPECT_EQ(exitCode, 0u);
}

// With "录制时最小化" unticked the recording runs in view: the screenshot shows it counting.
TEST_F(Road, RecordingInViewStoppedByItsButtonAndCancelled) {
    std::string error;
    ASSERT_TRUE(rig::startVelmora(program, error)) << error;
    velmora = rig::waitForVelmora(program.id);
    ASSERT_NE(velmora, nullptr);
    HWND option = control(选择框_最小化);
    ASSERT_TRUE(rig::clickButton(option));
    ASSERT_TRUE(rig::waitUntil([&] { return rig::checkedOf(option) == BST_UNCHECKED; }));

    ASSERT_TRUE(rig::clickButton(control(按钮_记录)));
    expectState("recording", {false, true, false, false, false});
    HWND progress = control(标签_录制进程);
    rig::Box list = rig::boxOnScreen(control(列表框_脚本));
    for (int n = 1; n <= 3; ++n) {
        int before = rig::progressCount(progress);
        rig::moveMouseTo(list.x + 40 * n, list.y + 10 * n);
        EXPECT_TRUE(rig::waitUntil([&] { return rig::progressCount(progress) > before; })) << rig::textOf(progress);
    }
    screenshot("road-2-recording-in-view");

    ASSERT_TRUE(rig::clickButton(control(按钮_停止)));
    HWND box = rig::waitForInputBox(program.id, "保存脚本", 10000);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(rig::bringToFrontToStay(box));
    rig::tapKey(VK_ESCAPE);
    expectState("cancelled", {true, false, false, false, false});
    EXPECT_EQ(rig::listEntries(control(列表框_脚本)), std::vector<std::string>{});
    EXPECT_FALSE(rig::isDirectory(program.runDirectory + L"\\scripts")) << "a cancelled save made the folder";
}

}  // namespace
