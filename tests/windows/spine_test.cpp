// The program's spine under Wine: it opens its window and ends with 0 when closed; a fatal error
// shows the error box and ends with -1.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "support/find.h"
#include "support/input.h"
#include "support/program.h"
#include "support/read.h"
#include "support/utf8.h"
#include "support/wait.h"

namespace {

constexpr int kExitWaitMs = 15000;

struct Spine : testing::Test {
    rig::Program program;
    void TearDown() override { rig::dispose(program); }
};

TEST_F(Spine, OpensItsWindowAndEndsWithZeroWhenClosed) {
    std::string error;
    ASSERT_TRUE(rig::startVelmora(program, error)) << error;
    HWND window = rig::waitForVelmora(program.id);
    ASSERT_NE(window, nullptr) << "no visible window titled Velmora";
    EXPECT_EQ(GetParent(window), nullptr);
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
    // Only the first save makes the scripts folder.
    EXPECT_EQ(GetFileAttributesW((program.runDirectory + L"\\scripts").c_str()), INVALID_FILE_ATTRIBUTES);
    DWORD code = 1234;
    ASSERT_TRUE(rig::closeAndWait(window, program, kExitWaitMs, code)) << "still running after WM_CLOSE";
    EXPECT_EQ(code, 0u);
}

TEST_F(Spine, FatalErrorShowsTheErrorBoxAndEndsWithMinusOneOnceClosed) {
    const char* fatalProgram = std::getenv("VELMORA_FATAL_ERROR_EXE");
    ASSERT_NE(fatalProgram, nullptr) << "VELMORA_FATAL_ERROR_EXE is not set";
    std::string error;
    ASSERT_TRUE(rig::startCopy(rig::windowsPath(fatalProgram), program, error)) << error;

    HWND box = rig::waitForDialog(program.id, "错误", 30000);
    ASSERT_NE(box, nullptr) << "no box captioned 错误";
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    // The message is the box's static that is not the icon.
    std::string message;
    for (HWND child : rig::descendants(box)) {
        if (rig::classOf(child) == "Static" && !rig::textOf(child).empty()) message = rig::textOf(child);
    }
    EXPECT_EQ(message, "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n");
    EXPECT_TRUE(rig::isRunning(program)) << "ended before the box was closed";

    ASSERT_TRUE(rig::bringToFront(box));
    rig::tapKey(VK_RETURN);
    DWORD code = 0;
    ASSERT_TRUE(rig::waitForExit(program, kExitWaitMs, code)) << "still running after Enter";
    EXPECT_EQ(code, 0xFFFFFFFFu);
}

}  // namespace
