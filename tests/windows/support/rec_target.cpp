// The test's own target window, served by a message loop on its own thread, so that activation
// messages and input sent to it by other processes never wait on a test that is busy waiting.
#include "support/rec_target.h"

namespace rig {
namespace {

const wchar_t* const kClassName = L"VelmoraTestTarget";

struct Opening {
    RECT place;
    HANDLE ready;
    HWND window;
};

LRESULT CALLBACK targetProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

DWORD WINAPI serveTarget(void* data) {
    auto* opening = static_cast<Opening*>(data);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = targetProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);
    const RECT& r = opening->place;
    HWND window = CreateWindowW(kClassName, L"target", WS_OVERLAPPEDWINDOW, r.left, r.top, r.right, r.bottom,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    opening->window = window;
    if (window) {
        ShowWindow(window, SW_SHOWNORMAL);
        SetForegroundWindow(window);
    }
    SetEvent(opening->ready);
    if (!window) return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace

bool openTargetWindow(TargetWindow& target, int x, int y, int width, int height) {
    Opening opening = {{x, y, width, height}, CreateEventW(nullptr, TRUE, FALSE, nullptr), nullptr};
    target.thread = CreateThread(nullptr, 0, serveTarget, &opening, 0, nullptr);
    if (target.thread) WaitForSingleObject(opening.ready, 30000);
    CloseHandle(opening.ready);
    target.window = opening.window;
    return target.window != nullptr;
}

void closeTargetWindow(TargetWindow& target) {
    if (target.window) PostMessageW(target.window, WM_CLOSE, 0, 0);
    if (target.thread) {
        WaitForSingleObject(target.thread, 10000);
        CloseHandle(target.thread);
    }
    target = {};
}

}  // namespace rig
