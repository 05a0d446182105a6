// The main window's controls as the program's handlers see them: enable, texts, list, timer, position.
#include <string>

#include "app/win32/main_window.h"
#include "host/host.h"
#include "host/win32/utf.h"

namespace {

int32_t hotKeyPeriod = 0;

std::string windowText(HWND window) {
    std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
    int length = GetWindowTextW(window, &text[0], (int)text.size());
    return narrow(text.c_str(), length);
}

// The next visible, enabled, not minimised top-level window below `window` that `window` does not own.
HWND nextTopLevelWindow(HWND window) {
    for (HWND next = GetWindow(window, GW_HWNDNEXT); next; next = GetWindow(next, GW_HWNDNEXT)) {
        if (IsWindowVisible(next) && IsWindowEnabled(next) && !IsIconic(next) && GetWindow(next, GW_OWNER) != window)
            return next;
    }
    return nullptr;
}

}  // namespace

void enableControl(Control c, bool enabled) {
    if (HWND control = controlWindow(c)) EnableWindow(control, enabled);
}

void setControlText(Control c, const std::string& text) {
    HWND control = controlWindow(c);
    if (!control) return;
    SetWindowTextW(control, widen(text).c_str());
    // Shown at the next repaint; nothing is painted or processed now.
    InvalidateRect(control, nullptr, TRUE);
}

std::string controlText(Control c) {
    HWND control = controlWindow(c);
    return control ? windowText(control) : std::string();
}

bool isChecked(Control c) {
    HWND control = controlWindow(c);
    return control && SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void clearList(Control list) {
    if (HWND control = controlWindow(list)) SendMessageW(control, LB_RESETCONTENT, 0, 0);
}

void addListEntry(Control list, const std::string& text) {
    if (HWND control = controlWindow(list)) SendMessageW(control, LB_ADDSTRING, 0, (LPARAM)widen(text).c_str());
}

int listSelection(Control list) {
    HWND control = controlWindow(list);
    if (!control) return -1;
    LRESULT index = SendMessageW(control, LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : (int)index;
}

std::string listEntry(Control list, int index) {
    HWND control = controlWindow(list);
    if (!control || index < 0 || index >= (int)SendMessageW(control, LB_GETCOUNT, 0, 0)) return std::string();
    LRESULT length = SendMessageW(control, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) return std::string();
    std::wstring text(length + 1, L'\0');
    LRESULT got = SendMessageW(control, LB_GETTEXT, index, (LPARAM)&text[0]);
    return got == LB_ERR ? std::string() : narrow(text.c_str(), got);
}

void setTimerPeriod(Control timer, int32_t ms) {
    HWND window = mainWindow();
    if (timer != 时钟_热键 || !window) return;
    if (ms <= 0) {
        KillTimer(window, timer);
        hotKeyPeriod = 0;
    } else if (ms != hotKeyPeriod) {
        SetTimer(window, timer, (UINT)ms, nullptr);
        hotKeyPeriod = ms;
    }
}

void setWindowPosition(int setting) {
    HWND window = mainWindow();
    if (!window || !IsWindowVisible(window)) return;
    if (setting == kWindowMinimised) {
        // SW_MINIMIZE hands activation to the next top-level window; where the system leaves the
        // minimised window active instead (Wine without a window manager), the keys played or typed
        // next would come back to it, so the hand-over is made here.
        ShowWindow(window, SW_MINIMIZE);
        if (GetForegroundWindow() == window) {
            if (HWND next = nextTopLevelWindow(window)) SetForegroundWindow(next);
        }
    } else if (setting == kWindowNormal) {
        ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOWNORMAL);
        SetForegroundWindow(window);
    }
}
