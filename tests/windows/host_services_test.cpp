// The Win32 host's files, run directory, input and time, on the real system.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/win32/run_directory.h"
#include "host/win32/utf.h"
#include "support/wait.h"

namespace {

const char* const kReportRunDirectorySwitch = "--report-run-directory";
const char* const kReport = "velmora_run_directory_probe.txt";

std::string currentDirectory() {
    wchar_t path[MAX_PATH];
    DWORD length = GetCurrentDirectoryW(MAX_PATH, path);
    return narrow(path, length);
}

bool exists(const std::string& path) {
    return GetFileAttributesW(widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void removeTree(const std::string& dir) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(widen(dir + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = narrow(found.cFileName);
            if (name == "." || name == "..") continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(dir + "\\" + name);
            } else {
                DeleteFileW(widen(dir + "\\" + name).c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(widen(dir).c_str());
}

std::string tempDirectory() {
    wchar_t temp[MAX_PATH];
    DWORD length = GetTempPathW(MAX_PATH, temp);
    return narrow(temp, length - 1);  // without the trailing backslash
}

// Each test works in an empty directory of its own with a Chinese name.
class Files : public testing::Test {
protected:
    void SetUp() override {
        dir = tempDirectory() + "\\主机测试" + std::to_string(GetCurrentProcessId());
        removeTree(dir);
        ASSERT_TRUE(createDirectory(dir));
    }
    void TearDown() override { removeTree(dir); }
    std::string dir;
};

std::vector<uint8_t> readAll(const std::string& path, size_t capacity) {
    std::vector<uint8_t> data(capacity);
    size_t got = 99;
    if (!readFileHead(path, data.data(), capacity, got)) return {0xEE};
    data.resize(got);
    return data;
}

const std::vector<uint8_t> kBytes = {0xF4, 0x01, 0x00, 0x00, 0x00, 0x2C, 0x01, 0x1A, 0x00, 0xC8, 0x0D, 0x0A, 0xFF};

TEST_F(Files, WrittenBytesReadBackUpToTheCapacity) {
    std::string file = dir + "\\2011年8月8日13时2分45秒.mrc";
    ASSERT_TRUE(writeWholeFile(file, kBytes.data(), kBytes.size()));
    EXPECT_EQ(readAll(file, 100), kBytes);
    EXPECT_EQ(readAll(file, 5), std::vector<uint8_t>(kBytes.begin(), kBytes.begin() + 5));
    // Writing again truncates.
    ASSERT_TRUE(writeWholeFile(file, kBytes.data(), 2));
    EXPECT_EQ(readAll(file, 100), std::vector<uint8_t>(kBytes.begin(), kBytes.begin() + 2));
    ASSERT_TRUE(writeWholeFile(file, nullptr, 0));
    EXPECT_EQ(readAll(file, 100), std::vector<uint8_t>());
    size_t got = 7;
    uint8_t byte;
    EXPECT_FALSE(readFileHead(dir + "\\missing.mrc", &byte, 1, got));
    EXPECT_EQ(got, 0u);
}

TEST_F(Files, WritingFailsWhereNoFileCanBe) {
    const std::string paths[] = {dir + "\\a?b.mrc", dir + "\\no such folder\\a.mrc", dir};
    for (const std::string& path : paths) EXPECT_FALSE(writeWholeFile(path, kBytes.data(), kBytes.size())) << path;
}

TEST_F(Files, OthersMayReadButNotWrite) {
    std::string file = dir + "\\held.mrc";
    ASSERT_TRUE(writeWholeFile(file, kBytes.data(), kBytes.size()));
    struct Case {
        DWORD access, share;
        bool canRead, canWrite;
    };
    const Case cases[] = {
        {GENERIC_READ, FILE_SHARE_READ, true, false},
        {GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, true, true},
        {GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, false, false},
    };
    for (const Case& c : cases) {
        HANDLE held = CreateFileW(widen(file).c_str(), c.access, c.share, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        EXPECT_EQ(readAll(file, 100) == kBytes, c.canRead) << c.access << " " << c.share;
        EXPECT_EQ(writeWholeFile(file, kBytes.data(), kBytes.size()), c.canWrite) << c.access << " " << c.share;
        CloseHandle(held);
    }
}

TEST_F(Files, DirectoriesAreMadeOnce) {
    std::string scripts = dir + "\\scripts";
    EXPECT_TRUE(createDirectory(scripts));
    EXPECT_FALSE(createDirectory(scripts));
    EXPECT_FALSE(createDirectory(scripts + "\\x\\y"));
}

TEST_F(Files, ReplaceAndDelete) {
    std::string from = dir + "\\new.tmp", to = dir + "\\脚本.mrc";
    ASSERT_TRUE(writeWholeFile(to, kBytes.data(), 3));
    ASSERT_TRUE(writeWholeFile(from, kBytes.data(), kBytes.size()));
    EXPECT_TRUE(replaceFile(from, to));
    EXPECT_FALSE(exists(from));
    EXPECT_EQ(readAll(to, 100), kBytes);
    EXPECT_FALSE(replaceFile(from, to));
    EXPECT_TRUE(deleteFile(to));
    EXPECT_FALSE(exists(to));
    EXPECT_FALSE(deleteFile(to));
}

TEST_F(Files, ListingGivesBareNamesOfPlainFilesOnly) {
    for (const char* name : {"a.mrc", "演示.mrc", "b.txt"}) ASSERT_TRUE(writeWholeFile(dir + "\\" + name, kBytes.data(), 1));
    ASSERT_TRUE(createDirectory(dir + "\\x.mrc"));
    std::vector<std::string> names = listFiles(dir + "\\*.mrc");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.mrc", "演示.mrc"}));
    EXPECT_TRUE(listFiles(dir + "\\missing\\*.mrc").empty());
}

std::string programName() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::string whole = narrow(path, length);
    return whole.substr(whole.rfind('\\') + 1);
}

TEST(RunDirectory, HoldsTheProgramAndBecomesTheCurrentDirectory) {
    std::string dir = runDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_NE(dir.back(), '\\');
    EXPECT_TRUE(exists(dir + "\\" + programName()));
    SetCurrentDirectoryW(widen(tempDirectory()).c_str());
    enterRunDirectory();
    EXPECT_EQ(currentDirectory(), dir);
}

// Runs a copy of this program from a drive's root, which reports its run directory and its current
// directory after entering it in a file it makes there by a relative name.
TEST(RunDirectory, ProgramInADriveRootGetsTheDriveAlone) {
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    std::string drive = narrow(windows, 2);  // "C:"
    std::string copy = drive + "\\velmora_run_directory_probe.exe";
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    ASSERT_TRUE(CopyFileW(self, widen(copy).c_str(), FALSE)) << "cannot write to " << drive << "\\";
    std::string report = drive + "\\" + kReport;
    DeleteFileW(widen(report).c_str());
    std::wstring commandLine = widen("\"" + copy + "\" " + kReportRunDirectorySwitch);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child = {};
    // Started elsewhere on that drive, so that "C:" alone would not mean its root.
    ASSERT_TRUE(CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, windows, &startup,
                               &child));
    EXPECT_EQ(WaitForSingleObject(child.hProcess, 30000), (DWORD)WAIT_OBJECT_0);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    std::vector<uint8_t> text = readAll(report, 1000);
    EXPECT_EQ(std::string(text.begin(), text.end()), drive + "|" + drive + "\\");
    DeleteFileW(widen(copy).c_str());
    DeleteFileW(widen(report).c_str());
}

TEST(Input, InjectedKeysShowInTheKeyState) {
    keyState(VK_F9);  // forget earlier presses
    injectKey(VK_F9, 0, 0, 0);
    EXPECT_TRUE(rig::waitUntil([] { return (keyState(VK_F9) & 0x8000) != 0; }));
    injectKey(VK_F9, 0, kKeyRelease, 0);
    EXPECT_TRUE(rig::waitUntil([] { return keyState(VK_F9) == 0; }));
    injectKey(VK_F9, 0, 0, 0);
    injectKey(VK_F9, 0, kKeyRelease, 0);
    // A press between two queries is seen once.
    EXPECT_TRUE(rig::waitUntil([] { return keyState(VK_F9) != 0; }));
    EXPECT_EQ(keyState(VK_F9), 0);
}

TEST(Input, AbsoluteMovesLandOnTheScaledPoint) {
    int32_t width = primaryScreenWidth(), height = primaryScreenHeight();
    ASSERT_GT(width, 0);
    ASSERT_GT(height, 0);
    struct Case {
        int32_t nx, ny;
    };
    for (Case c : {Case{16384, 49152}, Case{49152, 16384}, Case{0, 0}}) {
        int32_t wantX = (int32_t)((int64_t)c.nx * width / 65536), wantY = (int32_t)((int64_t)c.ny * height / 65536);
        injectMouse(kMouseMove | kMouseAbsolute, c.nx, c.ny, 0, 0);
        int32_t x = -1, y = -1;
        EXPECT_TRUE(rig::waitUntil([&] {
            cursorPosition(x, y);
            return std::abs(x - wantX) <= 1 && std::abs(y - wantY) <= 1;
        })) << c.nx << "," << c.ny << " gave " << x << "," << y;
    }
}

TEST(Time, TicksMoveOnAcrossASleep) {
    beginPreciseTiming();
    int32_t before = tickCount();
    sleepMs(100);
    int32_t slept = tickCount() - before;
    endPreciseTiming();
    endPreciseTiming();  // an unmatched end is harmless
    EXPECT_GE(slept, 80);
    sleepMs(-5);  // returns at once rather than sleeping for ever
}

// Seconds since 1601 of a local time.
int64_t secondsOf(int year, int month, int day, int hour, int minute, int second) {
    SYSTEMTIME t = {};
    t.wYear = (WORD)year, t.wMonth = (WORD)month, t.wDay = (WORD)day;
    t.wHour = (WORD)hour, t.wMinute = (WORD)minute, t.wSecond = (WORD)second;
    FILETIME f;
    SystemTimeToFileTime(&t, &f);
    return (((int64_t)f.dwHighDateTime << 32) | f.dwLowDateTime) / 10000000;
}

TEST(Time, NowIsTheLocalTime) {
    SYSTEMTIME t;
    GetLocalTime(&t);
    DateTime when = now();
    int64_t local = secondsOf(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    int64_t seen = secondsOf(when.year, when.month, when.day, when.hour, when.minute, when.second);
    EXPECT_GE(seen, local);
    EXPECT_LE(seen, local + 2);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == kReportRunDirectorySwitch) {
        std::string dir = runDirectory();
        enterRunDirectory();
        std::string report = dir + "|" + currentDirectory();
        return writeWholeFile(kReport, (const uint8_t*)report.data(), report.size()) ? 0 : 1;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
