// The window handles of the main window and of each control, by name.
#include "app/win32/main_window.h"

namespace {

constexpr int kFirstControl = 按钮_记录;
constexpr int kControlCount = 时钟_热键 - 按钮_记录 + 1;

HWND theMainWindow = nullptr;
HWND controlWindows[kControlCount] = {};

bool isWindowControl(Control c) {
    return c >= kFirstControl && c < kFirstControl + kControlCount && c != 时钟_热键;
}

}  // namespace

HWND mainWindow() {
    return theMainWindow;
}

void rememberMainWindow(HWND window) {
    theMainWindow = window;
}

HWND controlWindow(Control c) {
    return isWindowControl(c) ? controlWindows[c - kFirstControl] : nullptr;
}

void rememberControlWindow(Control c, HWND window) {
    if (isWindowControl(c)) controlWindows[c - kFirstControl] = window;
}
