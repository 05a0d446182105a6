// The script library: saving under a typed name, loading into the buffer, listing and deleting scripts.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "host/host.h"
#include "storage_fixture.h"

namespace {

using Files = std::map<std::string, std::vector<uint8_t>>;
using ScriptLibraryTest = StorageTest;

const std::string kScriptsDir = "C:\\Velmora\\scripts";

// Saves the buffer under `name` as if the user typed it.
void saveAs(const std::string& name) {
    sim::confirmInputBox(name);
    saveRecording();
}

// Bare names of the files directly in the scripts folder.
std::vector<std::string> filesInScriptsDir() {
    std::vector<std::string> names;
    for (const auto& [path, bytes] : sim::files())
        if (path.rfind(kScriptsDir + "\\", 0) == 0) names.push_back(path.substr(kScriptsDir.size() + 1));
    return names;
}

TEST_F(ScriptLibraryTest, SavingAndLoadingAFullBufferReproducesEveryField) {
    fillBuffer(kBufferCapacity);
    saveAs("full");
    const std::vector<uint8_t>& bytes = sim::files()[scriptPath("full.mrc")];
    ASSERT_EQ(bytes.size(), 1196000u);
    // Record 26 (kind 26) sits at byte 25 * 13: time 26 * 7 - 300000 = -299818, then the kind.
    const std::vector<uint8_t> record26(bytes.begin() + 325, bytes.begin() + 338);
    EXPECT_EQ(record26, (std::vector<uint8_t>{0xD6, 0x6C, 0xFB, 0xFF, 0x1A, 0xE6, 0xFF, 0xFF, 0xFF, 0x4E, 0x00,
                                              0x00, 0x80}));

    fillBuffer(kBufferCapacity, 1);
    eventCount = 0;
    loadScript(scriptPath("full.mrc"));
    EXPECT_EQ(eventCount, 92000);
    EXPECT_EQ(recordsOffPattern(1, kBufferCapacity), 0);
}

TEST_F(ScriptLibraryTest, AnEmptyRecordingWritesAnEmptyFileThatLoadsAsNoEvents) {
    saveAs("empty");
    ASSERT_EQ(sim::files().count(scriptPath("empty.mrc")), 1u);
    EXPECT_TRUE(sim::files()[scriptPath("empty.mrc")].empty());
    eventCount = 5;
    loadScript(scriptPath("empty.mrc"));
    EXPECT_EQ(eventCount, 0);
}

TEST_F(ScriptLibraryTest, LoadingIgnoresATrailingFragment) {
    fillBuffer(3);
    saveAs("three");
    const std::vector<uint8_t> whole = sim::files()[scriptPath("three.mrc")];
    for (size_t fragment = 1; fragment <= 12; ++fragment) {
        std::vector<uint8_t> bytes = whole;
        bytes.insert(bytes.end(), fragment, 0x1A);
        sim::files()[scriptPath("three.mrc")] = bytes;
        fillBuffer(3, 1);
        loadScript(scriptPath("three.mrc"));
        EXPECT_EQ(eventCount, 3) << fragment;
        EXPECT_EQ(recordsOffPattern(1, 3), 0) << fragment;

        sim::files()[scriptPath("bits.mrc")] = std::vector<uint8_t>(fragment, 0);
        loadScript(scriptPath("bits.mrc"));
        EXPECT_EQ(eventCount, 0) << fragment;
    }
}

TEST_F(ScriptLibraryTest, ALongerFileFillsOnlyTheBuffersSlots) {
    fillBuffer(kBufferCapacity);
    saveAs("long");
    std::vector<uint8_t>& bytes = sim::files()[scriptPath("long.mrc")];
    bytes.insert(bytes.end(), 13 + 5, 0x7F);  // a 92001st record and a fragment
    fillBuffer(kBufferCapacity, 1);
    loadScript(scriptPath("long.mrc"));
    EXPECT_EQ(eventCount, 92000);
    EXPECT_EQ(recordsOffPattern(1, kBufferCapacity), 0);
}

TEST_F(ScriptLibraryTest, LoadingAShortScriptLeavesTheRestOfAnEarlierRecordingBehindTheCount) {
    fillBuffer(10);
    saveAs("ten");
    fillBuffer(500, 1000);
    loadScript(scriptPath("ten.mrc"));
    EXPECT_EQ(eventCount, 10);
    EXPECT_EQ(recordsOffPattern(1, 10), 0);
    EXPECT_EQ(recordsOffPattern(11, 500, 1000), 0);
}

TEST_F(ScriptLibraryTest, AScriptThatCannotBeOpenedLoadsNoEvents) {
    sim::directories().insert(kScriptsDir);
    sim::files()[scriptPath("busy.mrc")] = std::vector<uint8_t>(26, 1);
    sim::lockedPaths().insert(scriptPath("busy.mrc"));
    for (const std::string& path : {scriptPath("gone.mrc"), scriptPath("busy.mrc"), kScriptsDir}) {
        eventCount = 5;
        loadScript(path);
        EXPECT_EQ(eventCount, 0) << path;
    }
}

struct Suggestion {
    int hour, minute, second;
    std::string name;
};

TEST_F(ScriptLibraryTest, OffersTheDateAndTimeAsTheName) {
    const Suggestion suggestions[] = {{13, 2, 45, "2011年8月8日13时2分45秒"}, {9, 0, 0, "2011年8月8日9时"}};
    fillBuffer(2);
    for (const Suggestion& suggestion : suggestions) {
        sim::setNow(2011, 8, 8, suggestion.hour, suggestion.minute, suggestion.second);
        saveRecording();  // the box is confirmed as offered
        ASSERT_FALSE(sim::inputBoxCalls().empty());
        const sim::InputBoxCall& call = sim::inputBoxCalls().back();
        EXPECT_EQ(call.prompt, "请输入脚本文件名：");
        EXPECT_EQ(call.title, "保存脚本");
        EXPECT_EQ(call.initialText, suggestion.name);
        ASSERT_EQ(sim::files().count(scriptPath(suggestion.name + ".mrc")), 1u) << suggestion.name;
        EXPECT_EQ(sim::files()[scriptPath(suggestion.name + ".mrc")].size(), 26u);
    }
    EXPECT_EQ(sim::inputBoxCalls().size(), 2u);
    EXPECT_TRUE(sim::messageBoxCalls().empty());
}

TEST_F(ScriptLibraryTest, CancellingWritesNothingAndCreatesNoFolder) {
    fillBuffer(5);
    sim::cancelInputBox();
    saveRecording();
    EXPECT_EQ(sim::inputBoxCalls().size(), 1u);
    EXPECT_TRUE(sim::files().empty());
    EXPECT_EQ(sim::directories().count(kScriptsDir), 0u);
    EXPECT_TRUE(sim::messageBoxCalls().empty());
}

TEST_F(ScriptLibraryTest, UsesTheNameExactlyAsTyped) {
    fillBuffer(1);
    for (const char* name : {"", " demo ", "a.mrc"}) saveAs(name);
    EXPECT_EQ(filesInScriptsDir(), (std::vector<std::string>{" demo .mrc", ".mrc", "a.mrc.mrc"}));
    EXPECT_EQ(sim::directories().count(kScriptsDir), 1u);
}

TEST_F(ScriptLibraryTest, SavingTwiceUnderOneNameKeepsOnlyTheSecond) {
    fillBuffer(3);
    saveAs("same");
    fillBuffer(5, 1);
    saveAs("same");
    EXPECT_EQ(filesInScriptsDir(), std::vector<std::string>{"same.mrc"});
    fillBuffer(5);
    loadScript(scriptPath("same.mrc"));
    EXPECT_EQ(eventCount, 5);
    EXPECT_EQ(recordsOffPattern(1, 5, 1), 0);
    EXPECT_TRUE(sim::messageBoxCalls().empty());
}

// Ways a save of "demo" can fail; each leaves what was there before untouched.
struct SaveFailure {
    const char* name;
    std::function<void()> arrange;
};
void PrintTo(const SaveFailure& failure, std::ostream* out) { *out << failure.name; }

const SaveFailure kSaveFailures[] = {
    {"OldScriptCannotBeReplaced", [] { sim::unwritablePaths().insert(scriptPath("demo.mrc")); }},
    {"OldScriptIsOpenElsewhere", [] { sim::lockedPaths().insert(scriptPath("demo.mrc")); }},
    {"FolderNameTakenByAFile",
     [] {
         sim::files().clear();
         sim::directories().erase(kScriptsDir);
         sim::files()[kScriptsDir] = {};
     }},
};

struct FailedSaveTest : StorageTest, testing::WithParamInterface<SaveFailure> {
    void SetUp() override {
        StorageTest::SetUp();
        sim::directories().insert(kScriptsDir);
        sim::files()[scriptPath("demo.mrc")] = {1, 2, 3};
        GetParam().arrange();
        fillBuffer(4);
        sim::setNow(2011, 8, 8, 13, 2, 45);
    }
};

TEST_P(FailedSaveTest, ReportsTheFileAsksAgainWithTheTypedNameAndCancellingAbandons) {
    const Files before = sim::files();
    sim::confirmInputBox("demo");
    sim::cancelInputBox();
    saveRecording();
    ASSERT_EQ(sim::messageBoxCalls().size(), 1u);
    EXPECT_EQ(sim::messageBoxCalls()[0].text, "无法保存脚本文件“demo.mrc”。");
    EXPECT_EQ(sim::messageBoxCalls()[0].flags, 16);
    EXPECT_EQ(sim::messageBoxCalls()[0].title, "保存脚本");
    ASSERT_EQ(sim::inputBoxCalls().size(), 2u);
    EXPECT_EQ(sim::inputBoxCalls()[0].initialText, "2011年8月8日13时2分45秒");
    EXPECT_EQ(sim::inputBoxCalls()[1].initialText, "demo");
    EXPECT_EQ(sim::inputBoxCalls()[1].prompt, "请输入脚本文件名：");
    EXPECT_TRUE(sim::files() == before);
}

INSTANTIATE_TEST_SUITE_P(Failures, FailedSaveTest, testing::ValuesIn(kSaveFailures),
                         [](const testing::TestParamInfo<SaveFailure>& info) { return info.param.name; });

TEST_F(ScriptLibraryTest, AfterAFailedSaveAnotherNameSaves) {
    sim::directories().insert(kScriptsDir);
    sim::files()[scriptPath("demo.mrc")] = {1, 2, 3};
    sim::unwritablePaths().insert(scriptPath("demo.mrc"));
    fillBuffer(4);
    sim::confirmInputBox("demo");
    sim::confirmInputBox("demo2");
    saveRecording();
    EXPECT_EQ(sim::messageBoxCalls().size(), 1u);
    EXPECT_EQ(filesInScriptsDir(), (std::vector<std::string>{"demo.mrc", "demo2.mrc"}));
    EXPECT_EQ(sim::files()[scriptPath("demo.mrc")], (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(sim::files()[scriptPath("demo2.mrc")].size(), 52u);
}

TEST_F(ScriptLibraryTest, RefreshListsPlainScriptFilesInEnumerationOrder) {
    for (const std::string& dir : {kScriptsDir, kScriptsDir + "\\x.mrc", kScriptsDir + "\\sub"})
        sim::directories().insert(dir);
    for (const std::string& file : {scriptPath("b.mrc"), scriptPath("a.MRC"), scriptPath("notes.txt"),
                                    scriptPath("mrc"), scriptPath("c.mrcx"), scriptPath("sub\\c.mrc"),
                                    std::string("C:\\Velmora\\other.mrc")})
        sim::files()[file] = {};
    sim::listEntries() = {"stale"};
    sim::control(按钮_回放).enabled = true;
    sim::control(按钮_删除).enabled = true;
    refreshList();
    EXPECT_EQ(sim::listEntries(), (std::vector<std::string>{"a.MRC", "b.mrc"}));
    EXPECT_EQ(sim::selection(), -1);
    EXPECT_FALSE(sim::control(按钮_回放).enabled);
    EXPECT_FALSE(sim::control(按钮_删除).enabled);
}

TEST_F(ScriptLibraryTest, RefreshWithoutAFolderShowsNothingAndCreatesNothing) {
    sim::listEntries() = {"stale"};
    refreshList();
    EXPECT_TRUE(sim::listEntries().empty());
    EXPECT_TRUE(sim::directories().empty());
    EXPECT_TRUE(sim::files().empty());
}

struct Deletion {
    const char* name;
    std::vector<std::string> scripts;
    int selected;
    bool locked;  // the selected script is open elsewhere, so it stays
    std::vector<std::string> left;
};

void PrintTo(const Deletion& deletion, std::ostream* out) { *out << deletion.name; }

struct DeleteTest : StorageTest, testing::WithParamInterface<Deletion> {};

TEST_P(DeleteTest, DeletesTheSelectedScriptSilentlyAndRefreshes) {
    const Deletion& deletion = GetParam();
    sim::directories().insert(kScriptsDir);
    for (const std::string& script : deletion.scripts) sim::files()[scriptPath(script)] = {0};
    if (deletion.locked) sim::lockedPaths().insert(scriptPath(deletion.scripts[deletion.selected]));
    refreshList();
    sim::select(deletion.selected, sim::tick());
    processMessages();
    ASSERT_EQ(listSelection(列表框_脚本), deletion.selected);
    deleteSelected();
    EXPECT_EQ(filesInScriptsDir(), deletion.left);
    EXPECT_EQ(sim::listEntries(), deletion.left);
    EXPECT_EQ(sim::selection(), -1);
    EXPECT_FALSE(sim::control(按钮_回放).enabled);
    EXPECT_FALSE(sim::control(按钮_删除).enabled);
    EXPECT_TRUE(sim::messageBoxCalls().empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, DeleteTest,
                         testing::Values(Deletion{"OnlyScript", {"only.mrc"}, 0, false, {}},
                                         Deletion{"SecondOfTwo", {"a.mrc", "b.mrc"}, 1, false, {"a.mrc"}},
                                         Deletion{"OpenElsewhere", {"a.mrc", "b.mrc"}, 0, true, {"a.mrc", "b.mrc"}}),
                         [](const testing::TestParamInfo<Deletion>& info) { return info.param.name; });

}  // namespace
