// A minimal Win32 program: one empty window titled "Minimal", the yardstick for start-up time.
// Built with TICKING, it also runs a 100 ms timer that asks for the state of two keys, as an idle
// hot-key watcher does: the yardstick for idle cost under the same Wine. Built with POLLING, it
// instead polls as a recorder does (cursor, all 256 keys, pending messages, 10 ms sleep): the
// yardstick for the cost of recording.
#include <windows.h>

namespace {

LRESULT CALLBACK minimalProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        GetAsyncKeyState(VK_F2);
        GetAsyncKeyState(VK_F4);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = minimalProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"Minimal";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(L"Minimal", L"Minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 240, 120,
                                nullptr, nullptr, instance, nullptr);
    ShowWindow(window, show);
#ifdef TICKING
    SetTimer(window, 1, 100, nullptr);
#endif
    MSG msg;
#ifdef POLLING
    timeBeginPeriod(1);
    for (;;) {
        POINT cursor;
        GetCursorPos(&cursor);
        for (int vk = 0; vk < 256; ++vk) GetAsyncKeyState(vk);
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return 0;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
#endif
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
