// Clicks and typing through SendInput, each waiting for the effect it needs before going on.
#include "support/rec_actions.h"

#include "support/input.h"
#include "support/read.h"
#include "support/utf8.h"
#include "support/wait.h"

namespace rig {
namespace {

// Under load Wine may deliver a late pointer move from an earlier jump just after a click began, so
// the click lands elsewhere; the actions that can tell check their effect and try again.
constexpr int kAttempts = 3;
constexpr int kEffectWaitMs = 10000;

// Moves the pointer to screen pixel (x, y) and waits until it is over `window` there. Wine may
// deliver a late move from an earlier jump of the pointer, so the position is checked, not assumed.
bool pointAt(HWND window, int x, int y) {
    moveMouseTo(x, y);
    return waitUntil([&] {
        POINT at;
        return GetCursorPos(&at) && at.x == x && at.y == y && WindowFromPoint(at) == window;
    });
}

void sendCharacter(wchar_t unit, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = unit;
    input.ki.dwFlags = KEYEVENTF_UNICODE | flags;
    SendInput(1, &input, sizeof input);
}

}  // namespace

bool clickButton(HWND button) {
    Box box = boxOnScreen(button);
    if (!pointAt(button, box.x + box.width / 2, box.y + box.height / 2)) return false;
    leftDown();
    // Released only once the button took the press, so that a late move before it cannot take it elsewhere.
    bool pushed = waitUntil([&] { return (SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; });
    leftUp();
    return pushed;
}

bool clickButtonUntil(HWND button, const std::function<bool()>& done) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (IsWindowEnabled(button) && !clickButton(button)) continue;
        if (waitUntil(done, kEffectWaitMs)) return true;
    }
    return false;
}

bool clickListEntry(HWND list, int index) {
    RECT item = {};
    if (SendMessageW(list, LB_GETITEMRECT, index, (LPARAM)&item) == LB_ERR) return false;
    POINT middle = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(list, &middle);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (!pointAt(list, middle.x, middle.y)) continue;
        leftDown();
        leftUp();
        if (waitUntil([&] { return listSelectionOf(list) == index; }, kEffectWaitMs)) return true;
    }
    return false;
}

void typeText(const std::string& text) {
    for (wchar_t unit : toWide(text)) {
        sendCharacter(unit, 0);
        sendCharacter(unit, KEYEVENTF_KEYUP);
    }
}

bool retypeEditBox(HWND edit, const std::string& text) {
    Box box = boxOnScreen(edit);
    bool focused = false;
    for (int attempt = 0; attempt < kAttempts && !focused; ++attempt) {
        if (!pointAt(edit, box.x + box.width / 2, box.y + box.height / 2)) continue;
        leftDown();
        leftUp();
        focused = waitUntil([&] { return focusOf(edit) == edit; }, kEffectWaitMs);
    }
    if (!focused) return false;
    tapKey(VK_END);
    tapChord({VK_SHIFT, VK_HOME});
    typeText(text);
    return waitUntil([&] { return textOf(edit) == text; });
}

}  // namespace rig
