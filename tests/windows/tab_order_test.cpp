// Keyboard focus in the main window: Tab and Shift+Tab walk the enabled controls in their order.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/controls.h"
#include "support/control_names.h"
#include "support/find.h"
#include "support/input.h"
#include "support/probe.h"
#include "support/program.h"
#include "support/read.h"
#include "support/wait.h"
#include "support/velmora_test.h"

namespace {

struct TabOrder : rig::VelmoraTest {

    void start(const std::vector<rig::PlacedFile>& files = {}) {
        VelmoraTest::start(files);
        if (!HasFatalFailure()) ASSERT_TRUE(rig::bringToFront(window)) << "the window did not come to the front";
    }
    std::string focusName() {
        HWND focus = rig::focusOf(window);
        return focus ? rig::controlName(GetDlgCtrlID(focus)) : "(none)";
    }
    // Waits until `expected` has the focus; the message names what has it instead.
    void expectFocus(Control expected, const char* step) {
        HWND target = rig::findControl(window, expected);
        bool reached = target && rig::waitUntil([&] { return rig::focusOf(window) == target; });
        EXPECT_TRUE(reached) << step << ": expected " << rig::controlName(expected) << ", focus on " << focusName();
    }
    // Presses `keys` once per step and checks the focus after each.
    void walk(std::initializer_list<WORD> keys, const std::vector<Control>& order, const char* how) {
        for (Control next : order) {
            if (keys.size() == 1) {
                rig::tapKey(*keys.begin());
            } else {
                rig::tapChord(keys);
            }
            expectFocus(next, how);
            if (HasFailure()) return;
        }
    }
};

TEST_F(TabOrder, WalksTheEnabledControlsBothWaysAndWrapsRound) {
    start();
    if (HasFatalFailure()) return;
    expectFocus(按钮_记录, "first focus");
    walk({VK_TAB}, {编辑框_间隔时间, 编辑框_回放次数, 列表框_脚本, 选择框_最小化, 选择框_回放, 按钮_记录, 编辑框_间隔时间},
         "Tab");
    if (HasFailure()) return;
    walk({VK_SHIFT, VK_TAB}, {按钮_记录, 选择框_回放, 选择框_最小化, 列表框_脚本, 编辑框_回放次数, 编辑框_间隔时间, 按钮_记录},
         "Shift+Tab");
}

// Selecting a script enables playback and deletion, which then take their places in the order;
// the stop button stays disabled and is still passed over.
TEST_F(TabOrder, TakesInButtonsOnceTheyAreEnabled) {
    start({{"scripts\\demo.mrc", std::string(13, '\0')}});
    if (HasFatalFailure()) return;
    HWND list = rig::findControl(window, 列表框_脚本);
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(rig::waitUntil([&] { return rig::listEntries(list) == std::vector<std::string>{"demo.mrc"}; }))
        << "the script is not listed";
    expectFocus(按钮_记录, "first focus");
    walk({VK_TAB}, {编辑框_间隔时间, 编辑框_回放次数, 列表框_脚本}, "Tab to the list");
    rig::tapKey(VK_DOWN);
    ASSERT_TRUE(rig::waitUntil([&] { return rig::listSelectionOf(list) == 0; })) << "Down did not select the script";
    HWND play = rig::findControl(window, 按钮_回放);
    HWND erase = rig::findControl(window, 按钮_删除);
    ASSERT_TRUE(rig::waitUntil([&] { return IsWindowEnabled(play) && IsWindowEnabled(erase); }))
        << "selecting did not enable playback and deletion";
    walk({VK_TAB}, {选择框_最小化, 选择框_回放, 按钮_记录, 按钮_回放, 按钮_删除, 编辑框_间隔时间}, "Tab");
    if (HasFailure()) return;
    walk({VK_SHIFT, VK_TAB}, {按钮_删除, 按钮_回放, 按钮_记录, 选择框_回放}, "Shift+Tab");
}

}  // namespace
