// The recorder under Wine, end to end: F2 starts it, input injected from outside becomes 13-byte records
// with the right codes, coordinates and times, F3 ends it and the script is saved under the offered name.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/controls.h"
#include "support/find.h"
#include "support/input.h"
#include "support/program.h"
#include "support/read.h"
#include "support/rec_actions.h"
#include "support/rec_dialogs.h"
#include "support/rec_script.h"
#include "support/input_logger.h"
#include "support/utf8.h"
#include "support/wait.h"
#include "support/velmora_test.h"

namespace {

constexpr int kUiWaitMs = 30000;
// A recorded time lags its input by up to one poll (a 10 ms sleep and 256 key queries); a loaded
// two-core machine under Wine adds a few hundred ms. A tenfold error over ~2 s of input is far beyond.
constexpr int kSlackMs = 500;
constexpr int kDown = 0, kUp = 2;

struct Input {
    enum Kind { Move, Down, Up } kind;
    int code;     // virtual-key code of a press or release
    int x, y;     // screen pixel of a move
    int pauseMs;  // before the next input
};

// Moves and clicks land in the test's own window at (20, 20), away from the program's centred window.
// Inputs whose codes the recorder scans in the opposite order (A up then Shift down: 65 comes after
// 160 and 16; B up then Shift up) are kept well over a poll apart.
const Input kInputs[] = {
    {Input::Move, 0, 100, 120, 150},    {Input::Move, 0, 220, 180, 150},   {Input::Down, VK_LBUTTON, 0, 0, 80},
    {Input::Up, VK_LBUTTON, 0, 0, 150}, {Input::Move, 0, 150, 250, 150},   {Input::Down, VK_RBUTTON, 0, 0, 80},
    {Input::Up, VK_RBUTTON, 0, 0, 150}, {Input::Down, 'A', 0, 0, 60},      {Input::Up, 'A', 0, 0, 200},
    {Input::Down, VK_SHIFT, 0, 0, 80},  {Input::Down, 'B', 0, 0, 60},      {Input::Up, 'B', 0, 0, 200},
    {Input::Up, VK_SHIFT, 0, 0, 150},
    // Once the recording runs, F2 is an ordinary key.
    {Input::Down, VK_F2, 0, 0, 150},    {Input::Up, VK_F2, 0, 0, 150},
};

// A record the script must hold, with the tick just before its input was injected.
struct Expected {
    rig::ScriptRecord record;
    DWORD injectedAt;
};

void sendMouseButton(int code, bool down) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    if (code == VK_LBUTTON) input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    if (code == VK_RBUTTON) input.mi.dwFlags = down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    SendInput(1, &input, sizeof input);
}

bool cursorIsAt(int x, int y) {
    POINT at;
    return GetCursorPos(&at) && at.x == x && at.y == y;
}

int32_t normalised(int pixel, int extent) {
    return (int32_t)((double)pixel * 65535 / extent);
}

// Injects one input and says which records it must give. Shift reaches the key state as the left
// Shift (160) and as the generic code (16); the upper block of codes is scanned first.
void inject(const Input& input, std::vector<Expected>& expected) {
    DWORD at = GetTickCount();
    if (input.kind == Input::Move) {
        rig::moveMouseTo(input.x, input.y);
        int32_t nx = normalised(input.x, GetSystemMetrics(SM_CXSCREEN));
        int32_t ny = normalised(input.y, GetSystemMetrics(SM_CYSCREEN));
        expected.push_back({{0, 0, nx, ny}, at});
        EXPECT_TRUE(rig::waitUntil([&] { return cursorIsAt(input.x, input.y); }))
            << "the cursor did not reach " << input.x << "," << input.y;
        return;
    }
    bool down = input.kind == Input::Down;
    if (input.code == VK_LBUTTON || input.code == VK_RBUTTON) {
        sendMouseButton(input.code, down);
    } else {
        down ? rig::keyDown((WORD)input.code) : rig::keyUp((WORD)input.code);
    }
    int transition = down ? kDown : kUp;
    if (input.code == VK_SHIFT) expected.push_back({{0, VK_LSHIFT, transition, 0}, at});
    expected.push_back({{0, input.code, transition, 0}, at});
}

bool sameEvent(const rig::ScriptRecord& a, const rig::ScriptRecord& b) {
    return a.kind == b.kind && a.p1 == b.p1 && a.p2 == b.p2;
}

// Finds each expected record in order. Wine may add cursor moves of its own, so moves that are not
// expected are passed over; every other record must be the next expected one. Returns the index of
// the record matched to each expected one, or an empty list with `problem` set.
std::vector<size_t> match(const std::vector<rig::ScriptRecord>& records, const std::vector<Expected>& expected,
                          std::string& problem) {
    std::vector<size_t> found;
    for (size_t i = 0; i < records.size(); ++i) {
        bool wanted = found.size() < expected.size() && sameEvent(records[i], expected[found.size()].record);
        if (wanted) {
            found.push_back(i);
        } else if (records[i].kind != 0) {
            problem = "record " + std::to_string(i + 1) + " (" + rig::describe(records[i]) + ") where " +
                      (found.size() < expected.size() ? rig::describe(expected[found.size()].record) : "nothing") +
                      " was expected (time kind p1 p2)";
            return {};
        }
    }
    if (found.size() < expected.size()) {
        problem = "missing " + rig::describe(expected[found.size()].record) + " (time kind p1 p2)";
        return {};
    }
    return found;
}

std::string allRecords(const std::vector<rig::ScriptRecord>& records) {
    std::string text;
    for (const rig::ScriptRecord& r : records) text += "  " + rig::describe(r) + "\n";
    return text;
}

// The offered name of a local time: "%d年%d月%d日", then the time with its trailing zero fields left out.
std::string offeredName(const SYSTEMTIME& t) {
    char name[128];
    int n = std::snprintf(name, sizeof name, "%d年%d月%d日", t.wYear, t.wMonth, t.wDay);
    if (t.wSecond != 0) {
        std::snprintf(name + n, sizeof name - n, "%d时%d分%d秒", t.wHour, t.wMinute, t.wSecond);
    } else if (t.wMinute != 0) {
        std::snprintf(name + n, sizeof name - n, "%d时%d分", t.wHour, t.wMinute);
    } else if (t.wHour != 0) {
        std::snprintf(name + n, sizeof name - n, "%d时", t.wHour);
    }
    return name;
}

ULONGLONG secondsOf(const SYSTEMTIME& t) {
    FILETIME f;
    SystemTimeToFileTime(&t, &f);
    return (((ULONGLONG)f.dwHighDateTime << 32) | f.dwLowDateTime) / 10000000;
}

SYSTEMTIME timeOf(ULONGLONG seconds) {
    ULONGLONG units = seconds * 10000000;
    FILETIME f = {(DWORD)units, (DWORD)(units >> 32)};
    SYSTEMTIME t;
    FileTimeToSystemTime(&f, &t);
    return t;
}

// True when `name` is the offered name of some second from `from` to `to` (local times).
bool isOfferedNameBetween(const std::string& name, const SYSTEMTIME& from, const SYSTEMTIME& to) {
    for (ULONGLONG s = secondsOf(from); s <= secondsOf(to); ++s) {
        if (offeredName(timeOf(s)) == name) return true;
    }
    return false;
}

SYSTEMTIME localTimeNow(int shiftSeconds) {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return timeOf(secondsOf(t) + shiftSeconds);
}

struct Recorder : rig::VelmoraTest {
    rig::InputLogger target;  // a window of our own to take the keys

    void TearDown() override {
        VelmoraTest::TearDown();
        rig::stopInputLogger(target);
    }



    // Stop enabled, the window minimised and the first event counted: the polling loop runs.
    bool recordingRuns() {
        std::string progress = rig::textOf(control(标签_录制进程));
        return enabled(按钮_停止) && IsIconic(window) && progress.find(" / 92000") != std::string::npos;
    }

    std::wstring scriptsDir() { return program.runDirectory + L"\\scripts"; }
};

TEST_F(Recorder, RecordsInjectedInputInOrderWithItsTimesAndSavesItUnderTheOfferedName) {
    ASSERT_TRUE(rig::startInputLogger(target, {20, 20, 320, 320}, L"target"));
    ASSERT_NO_FATAL_FAILURE(start());
    // With the cursor off (0, 0), the first poll records a move, which shows that the loop runs.
    rig::moveMouseTo(60, 60);
    ASSERT_TRUE(rig::waitUntil([] { return cursorIsAt(60, 60); }));

    DWORD f2At = GetTickCount();
    rig::holdKey(VK_F2, 150);
    ASSERT_TRUE(rig::waitUntil([&] { return recordingRuns(); }, kUiWaitMs)) << "F2 did not start a recording";
    DWORD runningSeenAt = GetTickCount();
    EXPECT_FALSE(enabled(按钮_记录));
    EXPECT_FALSE(enabled(按钮_回放));
    // The minimised program hands activation to the next top-level window, the test's own.
    EXPECT_TRUE(rig::waitUntil([&] { return GetForegroundWindow() == target.window; }))
        << "in front: " << rig::textOf(GetForegroundWindow());

    std::vector<Expected> expected;
    for (const Input& input : kInputs) {
        inject(input, expected);
        Sleep(input.pauseMs);
    }
    SYSTEMTIME stoppedFrom = localTimeNow(-1);
    rig::holdKey(VK_F3, 150);

    HWND box = rig::waitForInputBox(program.id, "保存脚本", kUiWaitMs);
    ASSERT_NE(box, nullptr) << "F3 did not end the recording with the name box";
    SYSTEMTIME boxSeen = localTimeNow(1);
    std::string name = rig::textOf(rig::editFieldOf(box));
    EXPECT_TRUE(isOfferedNameBetween(name, stoppedFrom, boxSeen)) << "offered name " << name;
    // No window of the program was active when the box opened, so it has no owner.
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    ASSERT_TRUE(rig::confirm(box));

    HWND list = control(列表框_脚本);
    std::string entry = name + ".mrc";
    EXPECT_TRUE(rig::waitUntil([&] { return rig::listEntries(list) == std::vector<std::string>{entry}; }, kUiWaitMs))
        << "the list does not show " << entry;
    std::string bytes;
    ASSERT_TRUE(rig::readWholeFile(scriptsDir() + L"\\" + rig::toWide(entry), bytes)) << entry << " is not there";
    ASSERT_EQ(bytes.size() % 13, 0u);
    std::vector<rig::ScriptRecord> records = rig::decodeScript(bytes);

    std::string problem;
    std::vector<size_t> at = match(records, expected, problem);
    ASSERT_FALSE(at.empty()) << problem << "\nrecords:\n" << allRecords(records);
    int f2Records = 0, f3Records = 0;
    for (const rig::ScriptRecord& r : records) {
        f2Records += r.kind == VK_F2;
        f3Records += r.kind == VK_F3;
    }
    EXPECT_EQ(f2Records, 2) << "only the second F2, pressed while recording, is an event";
    EXPECT_EQ(f3Records, 0);

    for (size_t i = 1; i < records.size(); ++i) EXPECT_GE(records[i].time, records[i - 1].time) << "record " << i + 1;
    // The recording started between the F2 press and the sight of its first event.
    const Expected& first = expected.front();
    const int32_t firstTime = records[at.front()].time;
    for (size_t k = 0; k < expected.size(); ++k) {
        const int32_t time = records[at[k]].time;
        const int32_t injected = (int32_t)expected[k].injectedAt;
        EXPECT_GE(time, injected - (int32_t)runningSeenAt - 1) << rig::describe(records[at[k]]);
        EXPECT_LE(time, injected - (int32_t)f2At + kSlackMs) << rig::describe(records[at[k]]);
        EXPECT_NEAR(time - firstTime, injected - (int32_t)first.injectedAt, kSlackMs)
            << rig::describe(records[at[k]]);
    }

    EXPECT_TRUE(rig::waitUntil([&] { return !IsIconic(window) && enabled(按钮_记录); }, kUiWaitMs))
        << "the window did not come back after the save";
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(enabled(按钮_停止));
    EXPECT_FALSE(enabled(按钮_回放));
    EXPECT_FALSE(enabled(按钮_删除));
}

TEST_F(Recorder, ClosingTheWindowWhileRecordingEndsTheProgramAtOnceAndSavesNothing) {
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_TRUE(rig::clickButtonUntil(control(按钮_记录), [&] { return recordingRuns(); }))
        << "the click did not start a recording";
    // Something to save: a key tap counted by the progress label after the first move.
    rig::holdKey('A', 60);
    EXPECT_TRUE(
        rig::waitUntil([&] { return std::atoi(rig::textOf(control(标签_录制进程)).c_str()) >= 3; }, kUiWaitMs));

    DWORD code = 1234;
    ASSERT_TRUE(rig::closeAndWait(window, program, 15000, code)) << "still running after WM_CLOSE";
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(rig::isDirectory(scriptsDir())) << "something was saved";
}

}  // namespace
