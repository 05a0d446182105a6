// Synthetic input as a user gives it; it reaches whichever window is in front or under the cursor.
#include "support/input.h"

#include "support/read.h"
#include "support/wait.h"

namespace rig {
namespace {

void sendKey(WORD vk, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = (WORD)MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

void sendMouse(DWORD flags, LONG dx, LONG dy) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

// The middle of pixel `at` on the 0..65535 scale, so rounding either way lands on that pixel.
LONG normalised(int at, int extent) {
    return (LONG)((2LL * at + 1) * 32768 / extent);
}

}  // namespace

void keyDown(WORD vk) {
    sendKey(vk, 0);
}

void keyUp(WORD vk) {
    sendKey(vk, KEYEVENTF_KEYUP);
}

void tapKey(WORD vk) {
    keyDown(vk);
    keyUp(vk);
}

void holdKey(WORD vk, int ms) {
    keyDown(vk);
    Sleep(ms);
    keyUp(vk);
}

void tapChord(std::initializer_list<WORD> keys) {
    for (WORD vk : keys) keyDown(vk);
    for (auto vk = keys.end(); vk != keys.begin();) keyUp(*--vk);
}

void moveMouseTo(int x, int y) {
    sendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, normalised(x, GetSystemMetrics(SM_CXSCREEN)),
              normalised(y, GetSystemMetrics(SM_CYSCREEN)));
}

void leftDown() {
    sendMouse(MOUSEEVENTF_LEFTDOWN, 0, 0);
}

void leftUp() {
    sendMouse(MOUSEEVENTF_LEFTUP, 0, 0);
}

bool clickMiddleOf(HWND window) {
    Box box = boxOnScreen(window);
    int x = box.x + box.width / 2, y = box.y + box.height / 2;
    moveMouseTo(x, y);
    bool arrived = waitUntil([&] {
        POINT at;
        return GetCursorPos(&at) && at.x == x && at.y == y;
    });
    if (!arrived) return false;
    leftDown();
    leftUp();
    return true;
}

bool bringToFront(HWND window) {
    SetForegroundWindow(window);
    return waitUntil([&] { return GetForegroundWindow() == window; });
}

}  // namespace rig
