// Faults under Wine: saves into an unwritable folder and onto a full disk, closing the window during a
// playback, and a recording that fills the whole event buffer.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "app/controls.h"
#include "support/buffer_full.h"
#include "support/find.h"
#include "support/folder_faults.h"
#include "support/input.h"
#include "support/key_flood.h"
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
constexpr int kCapacity = 92000;
const char* const kFailedSave = "无法保存脚本文件“old.mrc”。";
const wchar_t* const kTemporaryName = L"~velmora-save.tmp";

// The file image of `count` cursor moves spread over the upper left of the screen, `stepMs` apart.
std::string movesScript(int count, int stepMs) {
    std::string bytes;
    for (int n = 0; n < count; ++n) {
        bytes += rig::encodeRecord({100 + n * stepMs, 0, 2000 + (n * 37) % 400 * 40, 2000 + (n * 53) % 400 * 40});
    }
    return bytes;
}

// Brings `box` to the front and presses Escape; false when it stayed open.
bool cancel(HWND box) {
    if (!rig::bringToFront(box)) return false;
    rig::tapKey(VK_ESCAPE);
    return rig::waitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); });
}

struct Faults : rig::VelmoraTest {
    rig::InputLogger target;  // a window of our own to take the keys
    rig::FolderFault fault;

    void TearDown() override {
        rig::releaseFloodKeys();
        for (WORD vk : {(WORD)VK_F2, (WORD)VK_F3, (WORD)VK_RETURN, (WORD)VK_ESCAPE}) {
            if (GetAsyncKeyState(vk) & 0x8000) rig::keyUp(vk);
        }
        finishProgram();
        rig::stopInputLogger(target);
        VelmoraTest::TearDown();
    }

    // Ends the program, lifts the fault from its folder and removes the folder.
    void finishProgram() {
        if (rig::isRunning(program)) {
            TerminateProcess(program.process, 1);
            WaitForSingleObject(program.process, 10000);
        }
        if (!fault.way.empty()) EXPECT_TRUE(rig::removeFault(fault)) << "the " << fault.way << " stays on " << fault.unixPath;
        rig::dispose(program);
        window = nullptr;
    }

    std::wstring scriptsDir() { return program.runDirectory + L"\\scripts"; }
    std::wstring scriptPath(const std::string& entry) { return scriptsDir() + L"\\" + rig::toWide(entry); }

    // F2 as a user presses it; then the recorder runs with the window minimised and the test's own
    // window in front, taking the keys.
    void startRecording() {
        if (!target.window) ASSERT_TRUE(rig::startInputLogger(target, {20, 20, 320, 320}, L"target"));
        rig::holdKey(VK_F2, 150);
        ASSERT_TRUE(rig::waitUntil([&] { return enabled(按钮_停止) && IsIconic(window); }, kUiWaitMs))
            << "F2 did not start a recording";
        ASSERT_TRUE(rig::bringToFront(target.window));
    }

    // Stops the recording with F3 and answers the name box with `name`.
    void stopAndName(const std::string& name) {
        rig::holdKey(VK_F3, 150);
        HWND box = rig::waitForInputBox(program.id, "保存脚本", kUiWaitMs);
        ASSERT_NE(box, nullptr) << "F3 did not bring the name box";
        ASSERT_TRUE(rig::typeAndConfirm(box, name));
    }

    // The failed save's message, then the name box again with the typed name, which is returned.
    HWND expectFailedSaveAndAskAgain() {
        HWND message = rig::waitForMessageBox(program.id, "保存脚本", kFailedSave, kUiWaitMs);
        if (!message) {
            ADD_FAILURE() << "no message \"" << kFailedSave << "\"";
            return nullptr;
        }
        EXPECT_TRUE(rig::showsIcon(message)) << "the message has no error icon";
        EXPECT_TRUE(rig::confirm(message));
        HWND again = rig::waitForInputBox(program.id, "保存脚本", kUiWaitMs);
        if (!again) {
            ADD_FAILURE() << "the name was not asked for again";
            return nullptr;
        }
        EXPECT_EQ(rig::textOf(rig::editFieldOf(again)), "old");
        return again;
    }

    void expectBackToIdle() {
        EXPECT_TRUE(rig::waitUntil([&] { return enabled(按钮_记录) && !enabled(按钮_停止) && !IsIconic(window); }, kUiWaitMs))
            << "the window did not come back after the save";
    }

    std::string fileBytes(const std::wstring& path) {
        std::string bytes;
        EXPECT_TRUE(rig::readWholeFile(path, bytes)) << rig::toUtf8(path) << " cannot be read";
        return bytes;
    }
};

// The folder is made unwritable after the start, before the save, in the first way that really keeps
// a Wine program from creating files here (root passes over permission bits).
TEST_F(Faults, SaveIntoAnUnwritableFolderFailsVisiblyKeepsTheOlderScriptAndAsksAgain) {
    struct Case {
        const char* what;
        bool writableAgain;  // the folder becomes writable before the name is confirmed again
    };
    const Case cases[] = {{"cancelled after the failure", false}, {"confirmed again once writable", true}};
    const std::string old = movesScript(3, 100);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(start({{"scripts\\old.mrc", old}}));
        std::string measured;
        bool unwritable = rig::makeUnwritable(scriptsDir(), fault, measured);
        std::printf("making the scripts folder unwritable:\n%s", measured.c_str());
        if (!unwritable) GTEST_SKIP() << "no way to make a folder unwritable for Wine here:\n" << measured;

        ASSERT_NO_FATAL_FAILURE(startRecording());
        rig::holdKey('A', 60);
        rig::holdKey('B', 60);
        ASSERT_NO_FATAL_FAILURE(stopAndName("old"));
        HWND again = expectFailedSaveAndAskAgain();
        ASSERT_NE(again, nullptr);
        EXPECT_EQ(fileBytes(scriptPath("old.mrc")), old) << "the failed save touched the older script";

        if (c.writableAgain) {
            ASSERT_TRUE(rig::removeFault(fault));
            ASSERT_TRUE(rig::confirm(again));
        } else {
            ASSERT_TRUE(cancel(again));
        }
        expectBackToIdle();
        EXPECT_EQ(rig::listEntries(control(列表框_脚本)), std::vector<std::string>{"old.mrc"});
        EXPECT_EQ(rig::plainFilesMatching(scriptsDir() + L"\\*"), std::vector<std::wstring>{L"old.mrc"});
        std::vector<rig::ScriptRecord> saved = rig::decodeScript(fileBytes(scriptPath("old.mrc")));
        std::multiset<int> keys;
        for (const rig::ScriptRecord& r : saved) keys.insert(r.kind * 10 + r.p1);
        if (c.writableAgain) {
            for (int key : {'A' * 10, 'A' * 10 + 2, 'B' * 10, 'B' * 10 + 2}) EXPECT_EQ(keys.count(key), 1u) << key / 10;
        } else {
            EXPECT_EQ(fileBytes(scriptPath("old.mrc")), old) << "cancelling did not leave the older script";
        }
        finishProgram();
    }
}

// A tmpfs smaller than the recording, mounted on the scripts folder (only root may mount).
TEST_F(Faults, SaveOntoAFullDiskFailsVisiblyAndKeepsTheOlderScript) {
    constexpr int kDiskBytes = 128 * 1024;
    constexpr int kRecordingEvents = 20000;  // 260,000 bytes, twice the disk
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_TRUE(CreateDirectoryW(scriptsDir().c_str(), nullptr));
    std::string measured;
    if (!rig::mountSmallDisk(scriptsDir(), kDiskBytes, fault, measured))
        GTEST_SKIP() << "a full disk cannot be made here: " << measured;
    std::printf("%s\n", measured.c_str());
    const std::string old = movesScript(1000, 20);
    ASSERT_TRUE(rig::writeWholeFile(scriptPath("old.mrc"), old));

    ASSERT_NO_FATAL_FAILURE(startRecording());
    rig::Flood flood = rig::floodUntil(control(标签_录制进程), kRecordingEvents, 120000);
    ASSERT_GE(flood.count, kRecordingEvents);
    ASSERT_LT(flood.count, kCapacity);
    std::printf("recorded %d events in %d flood rounds\n", flood.count, flood.cycles);
    ASSERT_NO_FATAL_FAILURE(stopAndName("old"));
    HWND again = expectFailedSaveAndAskAgain();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(fileBytes(scriptPath("old.mrc")), old) << "the failed save touched the older script";
    EXPECT_FALSE(rig::fileExists(scriptsDir() + L"\\" + kTemporaryName)) << "the partial file still fills the disk";

    ASSERT_TRUE(cancel(again));
    expectBackToIdle();
    EXPECT_EQ(rig::listEntries(control(列表框_脚本)), std::vector<std::string>{"old.mrc"});
    EXPECT_EQ(rig::plainFilesMatching(scriptsDir() + L"\\*"), std::vector<std::wstring>{L"old.mrc"});
    EXPECT_EQ(fileBytes(scriptPath("old.mrc")), old);
}

// Two minutes of moves; the close comes after a few of them, so ending "at once" means long before the
// script's end, which is what the wait below allows for.
TEST_F(Faults, ClosingTheWindowDuringAPlaybackEndsTheProgramWithZeroAtOnce) {
    constexpr int kRecords = 1200;
    ASSERT_NO_FATAL_FAILURE(start({{"scripts\\moves.mrc", movesScript(kRecords, 100)}}));
    HWND list = control(列表框_脚本);
    ASSERT_TRUE(rig::waitUntil([&] { return rig::listEntries(list).size() == 1; }));
    ASSERT_TRUE(rig::clickListEntry(list, 0));
    ASSERT_TRUE(rig::waitUntil([&] { return enabled(按钮_回放); }));
    ASSERT_TRUE(rig::clickButton(control(按钮_回放)));
    ASSERT_TRUE(rig::waitUntil([&] {
        return rig::textOf(control(标签_当前次数)) == "1 / 1" && rig::countIn(control(标签_录制进程)) >= 20;
    }, kUiWaitMs)) << "the playback did not get going";
    int injected = rig::countIn(control(标签_录制进程));
    ASSERT_LT(injected, kRecords / 2) << "the playback is no longer in its first half";

    DWORD code = 1234;
    ASSERT_TRUE(rig::closeAndWait(window, program, 30000, code)) << "still running 30 s after WM_CLOSE during a playback";
    EXPECT_EQ(code, 0u);
    std::printf("closed after %d of %d records\n", injected, kRecords);
}

// The flood fills the buffer in well under a minute; every message of the full buffer is closed, the
// offered name confirmed, and the script holds exactly the buffer: 92000 records of 13 bytes.
TEST_F(Faults, AFullBufferStopsTheRecordingAndSavesExactlyItsCapacity) {
    ASSERT_NO_FATAL_FAILURE(start());
    DWORD started = GetTickCount();
    ASSERT_NO_FATAL_FAILURE(startRecording());
    rig::Flood flood = rig::floodUntil(control(标签_录制进程), kCapacity, 420000);
    DWORD filled = GetTickCount();
    std::printf("%d events in %lu ms, %d flood rounds\n", flood.count, filled - started, flood.cycles);
    ASSERT_EQ(flood.count, kCapacity);

    HWND full = rig::waitForFullBufferMessage(program.id, kUiWaitMs);
    ASSERT_NE(full, nullptr) << "no full-buffer message";
    EXPECT_TRUE(rig::showsIcon(full));
    int messages = 0;
    HWND nameBox = rig::closeFullBufferMessages(program.id, messages, kUiWaitMs);
    ASSERT_NE(nameBox, nullptr) << "after " << messages << " full-buffer messages no name box";
    std::printf("%d full-buffer messages closed\n", messages);
    DWORD stopped = GetTickCount();
    std::string name = rig::textOf(rig::editFieldOf(nameBox));
    ASSERT_FALSE(name.empty());
    ASSERT_TRUE(rig::confirm(nameBox));
    expectBackToIdle();
    EXPECT_EQ(rig::listEntries(control(列表框_脚本)), std::vector<std::string>{name + ".mrc"});

    std::string bytes = fileBytes(scriptPath(name + ".mrc"));
    ASSERT_EQ(bytes.size(), 1196000u);
    std::vector<rig::ScriptRecord> records = rig::decodeScript(bytes);
    ASSERT_EQ(records.size(), (size_t)kCapacity);
    // Only the flood's keys, F2 that started it, and perhaps a move; each key alternating down and up.
    std::set<int> allowed(rig::floodKeys().begin(), rig::floodKeys().end());
    allowed.insert({0, VK_F2});
    std::vector<int> down(256, 0);
    for (size_t i = 0; i < records.size(); ++i) {
        const rig::ScriptRecord& r = records[i];
        SCOPED_TRACE("record " + std::to_string(i + 1) + ": " + rig::describe(r));
        ASSERT_TRUE(allowed.count(r.kind));
        ASSERT_GE(r.time, i ? records[i - 1].time : 0);
        ASSERT_LE(r.time, (int32_t)(stopped - started));
        if (r.kind == 0) continue;
        ASSERT_EQ(r.p2, 0);
        ASSERT_EQ(r.p1, down[r.kind] ? 2 : 0) << "a key must go down and up in turn";
        down[r.kind] = !down[r.kind];
    }
    std::printf("last record: %s (time kind p1 p2)\n", rig::describe(records.back()).c_str());

    DWORD code = 1234;
    EXPECT_TRUE(rig::closeAndWait(window, program, 15000, code));
    EXPECT_EQ(code, 0u);
}

}  // namespace
