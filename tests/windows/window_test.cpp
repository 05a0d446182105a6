// The main window as it opens: frame, place, styles, and every control's place, kind, text and state.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/controls.h"
#include "support/control_names.h"
#include "support/find.h"
#include "support/probe.h"
#include "support/program.h"
#include "support/read.h"
#include "support/wait.h"
#include "support/velmora_test.h"

namespace {

enum Kind { PushButton, GroupBox, ListBox, Label, EditBox, Spinner, CheckBox, Hyperlink };

const char* const kKindNames[] = {"push button", "group box", "list box",  "label",
                                  "edit box",    "spinner",   "check box", "hyperlink box"};

bool isClass(const rig::ControlState& c, const char* name) {
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, c.className.c_str(), -1, name, -1) == CSTR_EQUAL;
}

// Kinds as they are realised with the system's controls; a hyperlink box is a window class of the
// program's own.
Kind kindOf(const rig::ControlState& c) {
    if (isClass(c, "Button")) {
        DWORD type = c.style & BS_TYPEMASK;
        if (type == BS_GROUPBOX) return GroupBox;
        if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX) return CheckBox;
        return PushButton;
    }
    if (isClass(c, "ListBox")) return ListBox;
    if (isClass(c, "Static")) return Label;
    if (isClass(c, "Edit")) return EditBox;
    if (isClass(c, "msctls_updown32")) return Spinner;
    return Hyperlink;
}

struct Row {
    Control id;
    Kind kind;
    int parent;  // 0: the window itself
    int x, y, width, height;
    const char* text;  // nullptr: left to the program (hyperlink boxes and contact labels)
    bool enabled;
    int checked;  // -1 where the kind has no check state
};

const Row kRows[] = {
    {按钮_记录, PushButton, 0, 8, 8, 56, 20, "录制(F2)", true, -1},
    {按钮_停止, PushButton, 0, 64, 8, 56, 20, "停止(F3)", false, -1},
    {按钮_回放, PushButton, 0, 120, 8, 56, 20, "回放", false, -1},
    {按钮_删除, PushButton, 0, 176, 8, 56, 20, "删除", false, -1},
    {分组框_脚本, GroupBox, 0, 8, 32, 224, 104, "现存脚本", true, -1},
    {列表框_脚本, ListBox, 分组框_脚本, 8, 16, 208, 80, "", true, -1},
    {分组框_设置, GroupBox, 0, 8, 144, 224, 136, "设置", true, -1},
    {标签_间隔时间, Label, 分组框_设置, 16, 16, 56, 16, "回放间隔:", true, -1},
    {编辑框_间隔时间, EditBox, 分组框_设置, 72, 16, 88, 20, "3", true, -1},
    {调节器_间隔时间, Spinner, 分组框_设置, 160, 16, 16, 20, "", true, -1},
    {标签_秒, Label, 分组框_设置, 184, 16, 16, 16, "秒", true, -1},
    {标签_回放次数, Label, 分组框_设置, 16, 40, 56, 16, "回放次数:", true, -1},
    {编辑框_回放次数, EditBox, 分组框_设置, 72, 40, 88, 20, "1", true, -1},
    {调节器_回放次数, Spinner, 分组框_设置, 160, 40, 16, 20, "", true, -1},
    {选择框_最小化, CheckBox, 分组框_设置, 16, 64, 96, 16, "录制时最小化", true, BST_CHECKED},
    {选择框_回放, CheckBox, 分组框_设置, 120, 64, 96, 16, "回放时最小化", true, BST_CHECKED},
    {标签_执行次数, Label, 分组框_设置, 16, 88, 72, 16, "正在执行:", true, -1},
    {标签_当前次数, Label, 分组框_设置, 96, 88, 112, 16, "", true, -1},
    {标签_缓冲区, Label, 分组框_设置, 16, 112, 72, 16, "缓冲区状态:", true, -1},
    {标签_录制进程, Label, 分组框_设置, 96, 112, 112, 16, "", true, -1},
    {标签_回放, Label, 0, 16, 296, 200, 16, "回放过程中，按 F4 键可停止回放。", true, -1},
    {超级链接框1, Hyperlink, 0, 8, 320, 144, 32, nullptr, true, -1},
    {超级链接框2, Hyperlink, 0, 8, 360, 224, 40, nullptr, true, -1},
    {标签1, Label, 0, 160, 320, 144, 16, nullptr, true, -1},
    {标签2, Label, 0, 160, 336, 104, 16, nullptr, true, -1},
};

struct MainWindow : rig::VelmoraTest {

    void SetUp() override { start({}); }
};

TEST_F(MainWindow, HasItsFrameTitleAndPlaceInTheMiddleOfTheScreen) {
    EXPECT_EQ(rig::textOf(window), "Velmora");
    rig::Box outer = rig::boxOnScreen(window);
    EXPECT_EQ(outer.width, 246);
    EXPECT_EQ(outer.height, 430);
    EXPECT_EQ(outer.x, (GetSystemMetrics(SM_CXSCREEN) - 246) / 2);
    EXPECT_EQ(outer.y, (GetSystemMetrics(SM_CYSCREEN) - 430) / 2);

    DWORD style = rig::styleOf(window), exStyle = rig::exStyleOf(window);
    EXPECT_EQ(style & WS_CAPTION, (DWORD)WS_CAPTION) << "caption";
    EXPECT_TRUE(style & WS_SYSMENU) << "system menu";
    EXPECT_TRUE(style & WS_MINIMIZEBOX) << "minimise box";
    EXPECT_FALSE(style & WS_MAXIMIZEBOX) << "maximise box";
    EXPECT_FALSE(style & WS_THICKFRAME) << "resizable frame";
    EXPECT_FALSE(style & WS_CHILD);
    EXPECT_FALSE(exStyle & WS_EX_TOPMOST) << "topmost";
    EXPECT_FALSE(exStyle & WS_EX_TOOLWINDOW) << "kept out of the taskbar";
    EXPECT_EQ(GetMenu(window), nullptr) << "menu bar";
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
}

TEST_F(MainWindow, ShowsEveryControlWhereAndAsItBelongs) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(rig::controlName(row.id));
        int copies = 0;
        for (HWND each : rig::descendants(window)) copies += GetDlgCtrlID(each) == row.id;
        EXPECT_EQ(copies, 1) << "controls with this ID";
        HWND found = control(row.id);
        if (!found) continue;
        rig::ControlState c = rig::readControl(found);
        EXPECT_EQ(c.parentId, row.parent) << "parent " << rig::controlName(c.parentId);
        EXPECT_EQ(c.box.x, row.x) << "left";
        EXPECT_EQ(c.box.y, row.y) << "top";
        EXPECT_EQ(c.box.width, row.width) << "width";
        EXPECT_EQ(c.box.height, row.height) << "height";
        EXPECT_STREQ(kKindNames[kindOf(c)], kKindNames[row.kind]) << "class " << c.className;
        if (row.text) EXPECT_EQ(c.text, row.text) << "text";
        EXPECT_EQ(c.enabled, row.enabled) << "enabled";
        EXPECT_TRUE(c.visible) << "visible";
        if (row.checked >= 0) EXPECT_EQ(c.checked, row.checked) << "checked";
    }
}

TEST_F(MainWindow, StartsIdleWithAnEmptyListAndTheDefaultSettings) {
    const Control buttons[] = {按钮_记录, 按钮_停止, 按钮_回放, 按钮_删除};
    std::vector<std::string> enabled;
    for (Control button : buttons) {
        if (control(button) && IsWindowEnabled(control(button))) enabled.push_back(rig::controlName(button));
    }
    EXPECT_EQ(enabled, std::vector<std::string>{"按钮_记录"});
    ASSERT_NE(control(列表框_脚本), nullptr);
    EXPECT_TRUE(rig::listEntries(control(列表框_脚本)).empty());
    EXPECT_EQ(rig::listSelectionOf(control(列表框_脚本)), -1);
    EXPECT_EQ(rig::textOf(control(编辑框_间隔时间)), "3");
    EXPECT_EQ(rig::textOf(control(编辑框_回放次数)), "1");
    EXPECT_EQ(rig::checkedOf(control(选择框_最小化)), BST_CHECKED);
    EXPECT_EQ(rig::checkedOf(control(选择框_回放)), BST_CHECKED);
    EXPECT_EQ(rig::textOf(control(标签_当前次数)), "");
    EXPECT_EQ(rig::textOf(control(标签_录制进程)), "");
}

// Settings each kind keeps by itself, as far as the system's controls show them in their styles.
TEST_F(MainWindow, ControlKindsHaveTheirFixedSettings) {
    for (Control button : {按钮_记录, 按钮_停止, 按钮_回放, 按钮_删除}) {
        SCOPED_TRACE(rig::controlName(button));
        ASSERT_NE(control(button), nullptr);
        EXPECT_EQ(rig::styleOf(control(button)) & BS_TYPEMASK, (DWORD)BS_PUSHBUTTON) << "not a default button";
    }
    for (Control edit : {编辑框_间隔时间, 编辑框_回放次数}) {
        SCOPED_TRACE(rig::controlName(edit));
        ASSERT_NE(control(edit), nullptr);
        DWORD style = rig::styleOf(control(edit)), exStyle = rig::exStyleOf(control(edit));
        EXPECT_TRUE(style & ES_CENTER) << "text centred";
        EXPECT_FALSE(style & ES_MULTILINE) << "one line";
        EXPECT_FALSE(style & (ES_NUMBER | ES_READONLY)) << "any text may be typed";
        EXPECT_TRUE((exStyle & (WS_EX_STATICEDGE | WS_EX_CLIENTEDGE)) || (style & WS_BORDER)) << "border";
    }
    ASSERT_NE(control(列表框_脚本), nullptr);
    DWORD list = rig::styleOf(control(列表框_脚本));
    EXPECT_FALSE(list & LBS_SORT) << "entries keep their order";
    EXPECT_FALSE(list & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) << "single selection";
    EXPECT_FALSE(list & WS_BORDER) << "no border";
    for (Control box : {选择框_最小化, 选择框_回放}) {
        SCOPED_TRACE(rig::controlName(box));
        ASSERT_NE(control(box), nullptr);
        EXPECT_FALSE(rig::styleOf(control(box)) & BS_LEFTTEXT) << "box left of the text";
    }
    for (Control spinner : {调节器_间隔时间, 调节器_回放次数}) {
        SCOPED_TRACE(rig::controlName(spinner));
        ASSERT_NE(control(spinner), nullptr);
        EXPECT_FALSE(rig::styleOf(control(spinner)) & UDS_HORZ) << "vertical";
        EXPECT_EQ(SendMessageW(control(spinner), UDM_GETBUDDY, 0, 0), 0) << "no attached edit box";
    }
}

// The list's scroll bar shows once there are more scripts than rows.
TEST_F(MainWindow, ListScrollsVerticallyWhenItHoldsMoreThanItShows) {
    std::vector<rig::PlacedFile> scripts;
    for (char name = 'a'; name <= 'l'; ++name) scripts.push_back({std::string("scripts\\") + name + ".mrc", ""});
    start(scripts);
    if (HasFatalFailure()) return;
    HWND list = control(列表框_脚本);
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(rig::waitUntil([&] { return rig::listEntries(list).size() == scripts.size(); }));
    EXPECT_TRUE(rig::styleOf(list) & WS_VSCROLL);
    EXPECT_FALSE(rig::styleOf(list) & WS_HSCROLL);
}

}  // namespace
