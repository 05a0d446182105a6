// The standard message box the program shows for a full buffer.
#include <windows.h>

#include "host/host.h"
#include "host/win32/utf.h"

void messageBox(const std::string& text, int flags, const std::string& title) {
    UINT style = (UINT)flags;
    if (!(style & MB_SYSTEMMODAL)) style |= MB_TASKMODAL;
    std::wstring caption = widen(title.empty() ? std::string("信息：") : title);
    MessageBoxW(nullptr, widen(text).c_str(), caption.c_str(), style);
}
