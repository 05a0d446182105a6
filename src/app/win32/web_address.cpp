// Opening a web address: the shell's "open" action, else the open command registered for ".htm".
#include "app/win32/web_address.h"

#include "app/browser_command.h"
#include "host/win32/utf.h"

#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <string>

namespace {

// The open command registered for ".htm"; empty when there is none.
std::wstring registeredBrowserCommand() {
    wchar_t command[2048];
    DWORD length = 2048;
    if (AssocQueryStringW(ASSOCF_NONE, ASSOCSTR_COMMAND, L".htm", L"open", command, &length) != S_OK) return L"";
    return command;
}

bool runCommand(std::wstring commandLine) {
    STARTUPINFOW start = {};
    start.cb = sizeof start;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace

bool openWebAddress(const wchar_t* address) {
    if ((INT_PTR)ShellExecuteW(nullptr, L"open", address, nullptr, nullptr, SW_SHOWNORMAL) > 32) return true;
    std::wstring registered = registeredBrowserCommand();
    return !registered.empty() && runCommand(widen(browserCommandLine(narrow(registered), narrow(std::wstring(address)))));
}
