// Ending the process: normally, or after showing the fatal-error box.
#include <windows.h>

#include "host/error_text.h"
#include "host/host.h"
#include "host/win32/utf.h"

namespace {

DWORD WINAPI showFatalErrorBox(void* text) {
    MessageBoxW(nullptr, static_cast<const wchar_t*>(text), L"错误", MB_OK | MB_ICONERROR);
    return 0;
}

}  // namespace

void exitProcess(int code) {
    ExitProcess((UINT)code);
}

void fatalError(const std::string& message) {
    std::wstring text = widen(fatalErrorText("", message));
    // The box runs on a thread of its own while this one waits without handling messages, so no timer
    // tick or click can reach the program's handlers (and fail again) while the box is open.
    HANDLE thread = CreateThread(nullptr, 0, showFatalErrorBox, &text[0], 0, nullptr);
    if (thread != nullptr) {
        WaitForSingleObject(thread, INFINITE);
    } else {
        showFatalErrorBox(&text[0]);
    }
    ExitProcess((UINT)-1);
}
