// The target window's thread: a message loop that logs input before dispatching it.
#include "target_window.h"

#include <mutex>

namespace {

std::mutex logLock;
std::vector<LoggedInput> logged;
HWND window = nullptr;
HANDLE thread = nullptr;
Area placed;

bool isLogged(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_KEYDOWN ||
           message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

LRESULT CALLBACK targetProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        // No system menu loop and no beeps: every key is only logged.
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
        case WM_SYSCHAR:
        case WM_CHAR:
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

DWORD WINAPI serviceWindow(LPVOID ready) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = targetProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)GetStockObject(GRAY_BRUSH);
    windowClass.lpszClassName = L"VelmoraBenchTarget";
    RegisterClassW(&windowClass);
    window = CreateWindowExW(WS_EX_TOPMOST, windowClass.lpszClassName, L"Velmora bench target", WS_POPUP | WS_VISIBLE,
                             placed.left, placed.top, placed.width, placed.height, nullptr, nullptr,
                             windowClass.hInstance, nullptr);
    SetEvent((HANDLE)ready);
    if (!window) return 1;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.hwnd == window && isLogged(msg.message)) {
            LoggedInput entry = {msg.message, 0, 0, 0, stampNow()};
            if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) {
                // Client coordinates of a borderless window at `placed` are screen pixels less its corner.
                entry.x = placed.left + (short)LOWORD(msg.lParam);
                entry.y = placed.top + (short)HIWORD(msg.lParam);
            } else {
                entry.code = (int)msg.wParam;
            }
            std::lock_guard<std::mutex> hold(logLock);
            logged.push_back(entry);
        }
        DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace

int64_t stampNow() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double stampMs(int64_t from, int64_t to) {
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return (double)frequency.QuadPart / 1000.0;
    }();
    return (double)(to - from) / ticksPerMs;
}

HWND openTargetWindow(const Area& area) {
    placed = area;
    logged.reserve(200000);
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread = CreateThread(nullptr, 0, serviceWindow, ready, 0, nullptr);
    WaitForSingleObject(ready, 30000);
    CloseHandle(ready);
    return window;
}

std::vector<LoggedInput> takeLoggedInput() {
    std::lock_guard<std::mutex> hold(logLock);
    std::vector<LoggedInput> taken;
    taken.swap(logged);
    logged.reserve(200000);
    return taken;
}

void closeTargetWindow() {
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    if (thread) {
        WaitForSingleObject(thread, 10000);
        CloseHandle(thread);
    }
    window = nullptr;
    thread = nullptr;
}
