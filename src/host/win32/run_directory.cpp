// The directory that holds the program file.
#include "host/win32/run_directory.h"

#include <windows.h>

#include <string>

#include "host/host.h"
#include "host/win32/utf.h"

namespace {

// Full path of the program file; the buffer grows until the path fits.
std::wstring programPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, &path[0], (DWORD)path.size());
        if (length == 0) return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

std::string runDirectory() {
    std::wstring path = programPath();
    size_t slash = path.rfind(L'\\');
    if (slash == std::wstring::npos) return std::string();
    return narrow(path.data(), slash);
}

void enterRunDirectory() {
    // The trailing backslash makes a drive root ("C:") mean the root, not that drive's current directory.
    SetCurrentDirectoryW(widen(runDirectory() + "\\").c_str());
}
