// The logging target window: its own thread and message loop, one log entry per input message.
#include "support/input_logger.h"

#include <windowsx.h>

namespace rig {
namespace {

const wchar_t* const kClassName = L"VelmoraTestInputLogger";
constexpr UINT kStopMessage = WM_APP + 1;

struct StartRequest {
    InputLogger* logger;
    Box outer;
    const wchar_t* title;
    HANDLE ready;
};

// The script's code and transition for an input message; false for messages that are not logged.
bool scriptCodeOf(UINT message, WPARAM w, int& code, int& transition) {
    transition = 0;
    switch (message) {
        case WM_MOUSEMOVE: code = 0; return true;
        case WM_LBUTTONDOWN: code = 1; return true;
        case WM_LBUTTONUP: code = 1; transition = 2; return true;
        case WM_RBUTTONDOWN: code = 2; return true;
        case WM_RBUTTONUP: code = 2; transition = 2; return true;
        case WM_MBUTTONDOWN: code = 4; return true;
        case WM_MBUTTONUP: code = 4; transition = 2; return true;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: code = (int)w; return true;
        case WM_KEYUP:
        case WM_SYSKEYUP: code = (int)w; transition = 2; return true;
        case WM_CLOSE: code = -1; return true;
        default: return false;
    }
}

bool isMouseMessage(UINT message) {
    return message >= WM_MOUSEFIRST && message <= WM_MBUTTONUP;
}

void note(HWND window, UINT message, WPARAM w, LPARAM l) {
    LoggedInput input = {};
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    input.at = now.QuadPart;
    input.message = message;
    if (!scriptCodeOf(message, w, input.code, input.transition)) return;
    if (isMouseMessage(message)) {
        input.client = {GET_X_LPARAM(l), GET_Y_LPARAM(l)};
        input.screen = input.client;
        ClientToScreen(window, &input.screen);
    } else if (message != WM_CLOSE) {
        input.keyData = l;
    }
    auto* logger = reinterpret_cast<InputLogger*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    std::lock_guard<std::mutex> lock(logger->guard);
    logger->log.push_back(input);
}

LRESULT CALLBACK loggerProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              (LONG_PTR) reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
            break;
        case WM_CLOSE:
            note(window, message, w, l);
            return 0;
        case WM_SYSCOMMAND:
            // A lone Alt would open the system menu, whose loop swallows the keys after it.
            if ((w & 0xFFF0) == SC_KEYMENU) return 0;
            break;
        case kStopMessage:
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            note(window, message, w, l);
            break;
    }
    return DefWindowProcW(window, message, w, l);
}

DWORD WINAPI loggerThread(void* data) {
    StartRequest request = *static_cast<StartRequest*>(data);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = loggerProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);
    const Box& b = request.outer;
    HWND window = CreateWindowW(kClassName, request.title, WS_OVERLAPPEDWINDOW, b.x, b.y, b.width, b.height,
                                nullptr, nullptr, GetModuleHandleW(nullptr), request.logger);
    request.logger->window = window;
    if (window) {
        ShowWindow(window, SW_SHOWNORMAL);
        SetForegroundWindow(window);
        UpdateWindow(window);
    }
    SetEvent(request.ready);
    if (!window) return 1;
    MSG message;
    // No TranslateMessage: characters are not wanted, only the key messages themselves.
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}

}  // namespace

bool startInputLogger(InputLogger& logger, const Box& outer, const wchar_t* title) {
    StartRequest request = {&logger, outer, title, CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    logger.window = nullptr;
    logger.thread = CreateThread(nullptr, 0, loggerThread, &request, 0, nullptr);
    if (logger.thread) WaitForSingleObject(request.ready, 30000);
    CloseHandle(request.ready);
    return logger.window != nullptr;
}

void stopInputLogger(InputLogger& logger) {
    if (logger.window) PostMessageW(logger.window, kStopMessage, 0, 0);
    if (logger.thread) {
        WaitForSingleObject(logger.thread, 10000);
        CloseHandle(logger.thread);
    }
    logger.window = nullptr;
    logger.thread = nullptr;
}

std::vector<LoggedInput> loggedInputs(InputLogger& logger) {
    std::lock_guard<std::mutex> lock(logger.guard);
    return logger.log;
}

void clearLoggedInputs(InputLogger& logger) {
    std::lock_guard<std::mutex> lock(logger.guard);
    logger.log.clear();
}

Box clientOnScreen(HWND window) {
    RECT r = {};
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

double msBetween(int64_t from, int64_t to) {
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return frequency.QuadPart / 1000.0;
    }();
    return (to - from) / ticksPerMs;
}

std::string describe(const LoggedInput& input) {
    const char* const buttons[] = {"", "lbutton", "rbutton", "", "mbutton"};
    std::string what;
    if (input.code == -1) return "close";
    if (input.code == 0) {
        return "move " + std::to_string(input.screen.x) + "," + std::to_string(input.screen.y);
    }
    bool system = input.message == WM_SYSKEYDOWN || input.message == WM_SYSKEYUP;
    if (isMouseMessage(input.message)) {
        what = buttons[input.code];
    } else {
        what = std::string(system ? "syskey" : "key");
    }
    what += input.transition == 0 ? "down" : "up";
    if (!isMouseMessage(input.message)) what += " " + std::to_string(input.code);
    return what;
}

}  // namespace rig
