// Dispatching window messages: the main message loop and processMessages() for the long operations.
#include "app/win32/main_window.h"
#include "host/host.h"

namespace {

bool isForMainWindow(HWND window) {
    HWND main = mainWindow();
    return main && window && (window == main || IsChild(main, window));
}

// Enter and Esc reach the focused control as keys but are never turned into characters: the window has
// no default or cancel button, and the edit boxes would only beep at them.
bool isUntranslatedKey(const MSG& message) {
    return message.message == WM_KEYDOWN && (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE) &&
           isForMainWindow(message.hwnd);
}

}  // namespace

void dispatchOneMessage(MSG& message) {
    if (handleTabKey(message)) return;
    if (!isUntranslatedKey(message)) TranslateMessage(&message);
    DispatchMessageW(&message);
}

int runMessageLoop() {
    MSG message;
    for (;;) {
        BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        dispatchOneMessage(message);
    }
    return (int)message.wParam;
}

void processMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Left for the outer loop, which ends on it.
            PostQuitMessage((int)message.wParam);
            return;
        }
        dispatchOneMessage(message);
    }
}
