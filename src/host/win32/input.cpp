// Key state, cursor, screen size and input injection through functions found by name on first use.
#include <windows.h>

#include "host/error_text.h"
#include "host/host.h"

namespace {

using KeyStateFunction = SHORT(WINAPI*)(int);
using CursorFunction = BOOL(WINAPI*)(POINT*);
using MouseFunction = void(WINAPI*)(DWORD, DWORD, DWORD, DWORD, ULONG_PTR);
using KeyFunction = void(WINAPI*)(BYTE, BYTE, DWORD, ULONG_PTR);

// Where the injection functions are looked for, in this order.
const wchar_t* const kSystemLibraries[] = {L"user32.dll", L"kernel32.dll", L"gdi32.dll", L"advapi32.dll",
                                           L"shell32.dll"};

FARPROC findIn(const wchar_t* library, const char* function) {
    HMODULE module = GetModuleHandleW(library);
    if (module == nullptr) module = LoadLibraryW(library);
    return module == nullptr ? nullptr : GetProcAddress(module, function);
}

template <typename Function>
Function cast(FARPROC address) {
    // Through the generic function type, which converts to any other without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

template <typename Function>
Function fromUser32(Function& remembered, const char* function) {
    if (remembered == nullptr) {
        FARPROC address = findIn(L"user32.dll", function);
        if (address == nullptr) fatalError(missingFunctionText("user32.dll", function));
        remembered = cast<Function>(address);
    }
    return remembered;
}

template <typename Function>
Function fromSystem(Function& remembered, const char* function) {
    if (remembered == nullptr) {
        for (const wchar_t* library : kSystemLibraries) {
            FARPROC address = findIn(library, function);
            if (address == nullptr) continue;
            remembered = cast<Function>(address);
            return remembered;
        }
        fatalError(missingFunctionText("", function));
    }
    return remembered;
}

KeyStateFunction keyStateFunction = nullptr;
CursorFunction cursorFunction = nullptr;
MouseFunction mouseFunction = nullptr;
KeyFunction keyFunction = nullptr;

}  // namespace

int16_t keyState(int vk) {
    return fromUser32(keyStateFunction, "GetAsyncKeyState")(vk);
}

void cursorPosition(int32_t& x, int32_t& y) {
    POINT point = {0, 0};
    fromUser32(cursorFunction, "GetCursorPos")(&point);
    x = point.x;
    y = point.y;
}

int32_t primaryScreenWidth() {
    return GetSystemMetrics(SM_CXSCREEN);
}

int32_t primaryScreenHeight() {
    return GetSystemMetrics(SM_CYSCREEN);
}

void injectMouse(uint32_t flags, int32_t dx, int32_t dy, uint32_t data, uintptr_t extraInfo) {
    fromSystem(mouseFunction, "mouse_event")(flags, (DWORD)dx, (DWORD)dy, data, extraInfo);
}

void injectKey(uint8_t vk, uint8_t scan, uint32_t flags, uintptr_t extraInfo) {
    fromSystem(keyFunction, "keybd_event")(vk, scan, flags, extraInfo);
}
