// Keyboard focus in the main window: the Tab order through its controls, and the focus kept while inactive.
#include "app/win32/main_window.h"

namespace {

const Control kTabOrder[] = {
    按钮_记录, 按钮_停止, 按钮_回放, 按钮_删除, 编辑框_间隔时间,
    编辑框_回放次数, 列表框_脚本, 选择框_最小化, 选择框_回放,
};
constexpr int kTabCount = sizeof kTabOrder / sizeof kTabOrder[0];

HWND focusBeforeDeactivation = nullptr;

bool isOurControl(HWND window) {
    return window && mainWindow() && IsChild(mainWindow(), window);
}

int tabIndexOf(HWND window) {
    for (int i = 0; i < kTabCount; ++i) {
        if (controlWindow(kTabOrder[i]) == window) return i;
    }
    return -1;
}

void focusControl(HWND control) {
    SetFocus(control);
    // As in dialogs, an edit box reached by keyboard has its text selected.
    int name = GetDlgCtrlID(control);
    if (name == 编辑框_间隔时间 || name == 编辑框_回放次数) SendMessageW(control, EM_SETSEL, 0, -1);
}

// The next enabled control after (or before) the focused one, wrapping round; null when there is none.
HWND nextInTabOrder(HWND from, bool backwards) {
    int start = tabIndexOf(from);
    if (start < 0) start = backwards ? 0 : kTabCount - 1;
    int step = backwards ? kTabCount - 1 : 1;
    for (int n = 1, i = (start + step) % kTabCount; n <= kTabCount; ++n, i = (i + step) % kTabCount) {
        HWND candidate = controlWindow(kTabOrder[i]);
        if (candidate && IsWindowEnabled(candidate) && IsWindowVisible(candidate)) return candidate;
    }
    return nullptr;
}

}  // namespace

bool handleTabKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
    if (message.hwnd != mainWindow() && !isOurControl(message.hwnd)) return false;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    HWND next = nextInTabOrder(GetFocus(), GetKeyState(VK_SHIFT) < 0);
    if (next) focusControl(next);
    // Keyboard use makes the focus rectangle visible, as in dialogs.
    SendMessageW(mainWindow(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    return true;
}

void focusFirstControl() {
    SetFocus(controlWindow(按钮_记录));
}

void rememberFocus() {
    HWND focus = GetFocus();
    if (isOurControl(focus)) focusBeforeDeactivation = focus;
}

void restoreFocus() {
    if (IsIconic(mainWindow())) return;  // no control of a minimised window can take the focus
    if (isOurControl(focusBeforeDeactivation) && IsWindowEnabled(focusBeforeDeactivation)) {
        SetFocus(focusBeforeDeactivation);
        return;
    }
    HWND next = nextInTabOrder(nullptr, false);
    if (next) SetFocus(next);
}
