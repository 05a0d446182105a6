// The script library on the real file system under Wine: the listing, a refused name asked again, a
// replace that fails keeps the old script, deleting, and a Chinese name from saving to playback.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
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
#include "support/utf8.h"
#include "support/wait.h"
#include "support/velmora_test.h"

namespace {

constexpr int kUiWaitMs = 30000;
const char* const kSaveCaption = "保存脚本";

std::string refusalText(const std::string& name) {
    return "无法保存脚本文件“" + name + ".mrc”。";
}

std::vector<std::string> utf8(const std::vector<std::wstring>& names) {
    std::vector<std::string> converted;
    for (const std::wstring& name : names) converted.push_back(rig::toUtf8(name));
    return converted;
}

struct Library : rig::VelmoraTest {



    std::vector<std::string> entries() { return rig::listEntries(control(列表框_脚本)); }
    bool listShows(const std::vector<std::string>& wanted) {
        return rig::waitUntil([&] { return entries() == wanted; }, kUiWaitMs);
    }
    std::wstring scriptPath(const std::string& file) {
        return program.runDirectory + L"\\scripts\\" + rig::toWide(file);
    }

    // Presses made before the recording's polls begin are forgotten, so this waits for its first event:
    // the cursor standing on the record button, away from where the program thinks it is, (0, 0).
    void startRecording() {
        ASSERT_TRUE(rig::clickButtonUntil(control(按钮_记录), [&] {
            return enabled(按钮_停止) && !rig::textOf(control(标签_录制进程)).empty();
        })) << "no recording started";
    }

    // Ends the recording with F3 and returns the name box.
    HWND stopRecording() {
        rig::holdKey(VK_F3, 150);
        return rig::waitForInputBox(program.id, kSaveCaption, kUiWaitMs);
    }

    // Answers `box` with `name`, expects the refusal naming that file and returns the box asked again.
    HWND refused(HWND box, const std::string& name) {
        if (!rig::typeAndConfirm(box, name)) {
            ADD_FAILURE() << "the name box did not take " << name;
            return nullptr;
        }
        HWND message = rig::waitForMessageBox(program.id, kSaveCaption, refusalText(name), kUiWaitMs);
        if (!message) {
            ADD_FAILURE() << "no message " << refusalText(name);
            return nullptr;
        }
        EXPECT_TRUE(rig::showsIcon(message));
        EXPECT_EQ(GetWindow(message, GW_OWNER), nullptr);
        if (!rig::confirm(message)) {
            ADD_FAILURE() << "the message stayed open";
            return nullptr;
        }
        HWND again = rig::waitForInputBox(program.id, kSaveCaption, kUiWaitMs);
        EXPECT_NE(again, nullptr) << "the name was not asked again after " << name;
        if (again) EXPECT_EQ(rig::textOf(rig::editFieldOf(again)), name);
        return again;
    }

    bool savedAndBack() {
        return rig::waitUntil([&] { return !IsIconic(window) && enabled(按钮_记录); }, kUiWaitMs);
    }
};

TEST_F(Library, ListsThePlainScriptFilesOfTheScriptsFolder) {
    ASSERT_NO_FATAL_FAILURE(start({{"scripts\\a.mrc", rig::encodeRecord({5, 65, 0, 0})},
                                   {"scripts\\演示.mrc", ""},
                                   {"scripts\\b.mrc", rig::encodeRecord({7, 65, 2, 0})},
                                   {"scripts\\notes.txt", "not a script"},
                                   {"scripts\\x.mrc\\inside.txt", "makes x.mrc a folder"}}));
    // In the order the file system gives them.
    std::vector<std::string> files = utf8(rig::plainFilesMatching(program.runDirectory + L"\\scripts\\*.mrc"));
    std::vector<std::string> sorted = files;
    std::sort(sorted.begin(), sorted.end());
    ASSERT_EQ(sorted, (std::vector<std::string>{"a.mrc", "b.mrc", "演示.mrc"}));
    EXPECT_TRUE(listShows(files)) << "the list shows " << testing::PrintToString(entries());
    EXPECT_FALSE(enabled(按钮_回放));
    EXPECT_FALSE(enabled(按钮_删除));
}

TEST_F(Library, ARefusedNameIsNamedInAMessageAndAskedAgainAsTyped) {
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(startRecording());
    HWND box = stopRecording();
    ASSERT_NE(box, nullptr) << "F3 did not bring the name box";
    for (const char* name : {"a|b", "a?b"}) {
        box = refused(box, name);
        ASSERT_NE(box, nullptr);
    }
    ASSERT_TRUE(rig::typeAndConfirm(box, "valid"));
    EXPECT_TRUE(listShows({"valid.mrc"})) << "the list shows " << testing::PrintToString(entries());
    std::string bytes;
    EXPECT_TRUE(rig::readWholeFile(scriptPath("valid.mrc"), bytes));
    EXPECT_EQ(bytes.size() % 13, 0u);
    EXPECT_EQ(utf8(rig::plainFilesMatching(program.runDirectory + L"\\scripts\\*")),
              (std::vector<std::string>{"valid.mrc"}));
    EXPECT_TRUE(savedAndBack());
}

TEST_F(Library, AReplaceThatFailsKeepsTheOldScriptUntilItCanBeReplaced) {
    const std::string old = rig::encodeRecord({1234, 65, 0, 0}) + rig::encodeRecord({1300, 65, 2, 0});
    ASSERT_NO_FATAL_FAILURE(start({{"scripts\\keep.mrc", old}}));
    ASSERT_TRUE(listShows({"keep.mrc"}));
    // Open without FILE_SHARE_DELETE, so that nothing can be moved over it.
    HANDLE held = CreateFileW(scriptPath("keep.mrc").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    ASSERT_NO_FATAL_FAILURE(startRecording());
    HWND box = stopRecording();
    ASSERT_NE(box, nullptr) << "F3 did not bring the name box";
    box = refused(box, "keep");
    std::string bytes;
    EXPECT_TRUE(rig::readWholeFile(scriptPath("keep.mrc"), bytes));
    EXPECT_EQ(bytes, old) << "the old script was changed";
    EXPECT_EQ(utf8(rig::plainFilesMatching(program.runDirectory + L"\\scripts\\*")),
              (std::vector<std::string>{"keep.mrc"}))
        << "the refused save left a file behind";
    CloseHandle(held);
    ASSERT_NE(box, nullptr);

    // The name asked again is "keep"; now the replace goes through.
    ASSERT_TRUE(rig::confirm(box));
    EXPECT_TRUE(savedAndBack());
    EXPECT_TRUE(listShows({"keep.mrc"}));
    ASSERT_TRUE(rig::readWholeFile(scriptPath("keep.mrc"), bytes));
    EXPECT_NE(bytes, old);
    EXPECT_EQ(bytes.size() % 13, 0u);
    // The cursor stood on the record button, away from (0, 0): the new recording opens with that move.
    std::vector<rig::ScriptRecord> records = rig::decodeScript(bytes);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.front().kind, 0);
}

TEST_F(Library, DeletingTheOnlyScriptEmptiesTheListAndDisablesPlaybackAndDelete) {
    ASSERT_NO_FATAL_FAILURE(start({{"scripts\\only.mrc", rig::encodeRecord({10, 65, 0, 0})}}));
    ASSERT_TRUE(listShows({"only.mrc"}));
    ASSERT_TRUE(rig::clickListEntry(control(列表框_脚本), 0));
    ASSERT_TRUE(rig::waitUntil([&] { return enabled(按钮_回放) && enabled(按钮_删除); }));
    EXPECT_TRUE(rig::clickButtonUntil(control(按钮_删除), [&] { return entries().empty(); }));
    EXPECT_FALSE(enabled(按钮_回放));
    EXPECT_FALSE(enabled(按钮_删除));
    EXPECT_FALSE(rig::fileExists(scriptPath("only.mrc")));
}

// The pixel that an absolute move to (nx, ny) reaches.
POINT pixelOf(const rig::ScriptRecord& move) {
    return {(LONG)((LONGLONG)move.p1 * GetSystemMetrics(SM_CXSCREEN) / 65536),
            (LONG)((LONGLONG)move.p2 * GetSystemMetrics(SM_CYSCREEN) / 65536)};
}

bool closeTo(POINT a, POINT b) {
    return std::abs(a.x - b.x) <= 1 && std::abs(a.y - b.y) <= 1;
}

bool cursorNear(POINT wanted) {
    POINT at;
    return GetCursorPos(&at) && closeTo(at, wanted);
}

TEST_F(Library, AChineseNameGoesFromSavingToTheListTheDiskAndPlayback) {
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(startRecording());
    // A move far from the buttons, for the playback to repeat.
    rig::moveMouseTo(800, 100);
    EXPECT_TRUE(rig::waitUntil([] { return cursorNear({800, 100}); }));
    HWND box = stopRecording();
    ASSERT_NE(box, nullptr) << "F3 did not bring the name box";
    ASSERT_TRUE(rig::typeAndConfirm(box, "测试脚本"));
    EXPECT_TRUE(listShows({"测试脚本.mrc"})) << "the list shows " << testing::PrintToString(entries());
    EXPECT_EQ(rig::plainFilesMatching(program.runDirectory + L"\\scripts\\*"),
              (std::vector<std::wstring>{L"测试脚本.mrc"}));
    std::string bytes;
    ASSERT_TRUE(rig::readWholeFile(scriptPath("测试脚本.mrc"), bytes));
    std::vector<rig::ScriptRecord> records = rig::decodeScript(bytes);
    auto lastMove =
        std::find_if(records.rbegin(), records.rend(), [](const rig::ScriptRecord& r) { return r.kind == 0; });
    ASSERT_NE(lastMove, records.rend()) << "the recording holds no move";
    ASSERT_TRUE(savedAndBack());
    const POINT wanted = pixelOf(*lastMove);

    ASSERT_TRUE(rig::retypeEditBox(control(编辑框_回放次数), "1"));
    ASSERT_TRUE(rig::retypeEditBox(control(编辑框_间隔时间), "0"));
    ASSERT_TRUE(rig::clickListEntry(control(列表框_脚本), 0));
    ASSERT_TRUE(rig::waitUntil([&] { return enabled(按钮_回放); }));
    // The pointer rests on the playback button until the loaded script moves it.
    rig::Box play = rig::boxOnScreen(control(按钮_回放));
    ASSERT_FALSE(closeTo({play.x + play.width / 2, play.y + play.height / 2}, wanted));
    ASSERT_TRUE(
        rig::clickButtonUntil(control(按钮_回放), [&] { return !rig::textOf(control(标签_当前次数)).empty(); }))
        << "the playback did not start";
    EXPECT_TRUE(rig::waitUntil([&] { return rig::textOf(control(标签_当前次数)) == "执行完毕"; }, kUiWaitMs))
        << "标签_当前次数 reads " << rig::textOf(control(标签_当前次数));
    EXPECT_TRUE(rig::waitUntil([&] { return cursorNear(wanted); }))
        << "the playback did not move the cursor to " << wanted.x << "," << wanted.y;
    EXPECT_EQ(rig::textOf(control(标签_录制进程)), std::to_string(records.size()) + " / 92000");
}

TEST_F(Library, AReadOnlyScriptIsNotReplacedButStillPlays) {
    const rig::ScriptRecord move = {50, 0, 52428, 13107};
    const std::string old = rig::encodeRecord(move);
    ASSERT_NO_FATAL_FAILURE(start({{"scripts\\ro.mrc", old}}));
    ASSERT_TRUE(listShows({"ro.mrc"}));
    ASSERT_TRUE(SetFileAttributesW(scriptPath("ro.mrc").c_str(), FILE_ATTRIBUTE_READONLY));

    // Saving over it is refused like any failed save; cancelling the second ask leaves it as it was.
    ASSERT_NO_FATAL_FAILURE(startRecording());
    HWND box = stopRecording();
    ASSERT_NE(box, nullptr) << "F3 did not bring the name box";
    box = refused(box, "ro");
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(rig::bringToFront(box));
    rig::tapKey(VK_ESCAPE);
    ASSERT_TRUE(savedAndBack());
    std::string bytes;
    EXPECT_TRUE(rig::readWholeFile(scriptPath("ro.mrc"), bytes));
    EXPECT_EQ(bytes, old) << "the read-only script was changed";

    // Reading it is all a playback needs.
    ASSERT_TRUE(rig::retypeEditBox(control(编辑框_回放次数), "1"));
    ASSERT_TRUE(rig::retypeEditBox(control(编辑框_间隔时间), "0"));
    ASSERT_TRUE(rig::clickListEntry(control(列表框_脚本), 0));
    ASSERT_TRUE(rig::waitUntil([&] { return enabled(按钮_回放); }));
    ASSERT_TRUE(
        rig::clickButtonUntil(control(按钮_回放), [&] { return !rig::textOf(control(标签_当前次数)).empty(); }))
        << "the playback did not start";
    EXPECT_TRUE(rig::waitUntil([&] { return rig::textOf(control(标签_当前次数)) == "执行完毕"; }, kUiWaitMs));
    EXPECT_TRUE(rig::waitUntil([&] { return cursorNear(pixelOf(move)); }))
        << "the playback did not move the cursor";
    EXPECT_EQ(rig::textOf(control(标签_录制进程)), "1 / 92000");
    SetFileAttributesW(scriptPath("ro.mrc").c_str(), FILE_ATTRIBUTE_NORMAL);  // so the folder can be removed
}

}  // namespace
