// Linux commands from under Wine, through a script file and a status file in the Wine temp folder.
#include "support/linux_command.h"

#include <windows.h>

#include <cstdlib>

#include "support/program.h"
#include "support/rec_script.h"
#include "support/utf8.h"
#include "support/wait.h"

namespace rig {
namespace {

using UnixFileName = char*(CDECL*)(const wchar_t*);

}  // namespace

std::string unixPathOf(const std::wstring& windowsPath) {
    auto convert = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    if (!convert) return {};
    char* path = convert(windowsPath.c_str());
    if (!path) return {};
    std::string result = path;
    HeapFree(GetProcessHeap(), 0, path);
    return result;
}

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

ShellResult runShell(const std::string& script, int timeoutMs) {
    ShellResult result;
    std::wstring folder = newTempFolder(L"velmora-sh");
    std::string unixFolder = folder.empty() ? std::string() : unixPathOf(folder);
    if (unixFolder.empty()) return result;
    const std::wstring scriptFile = folder + L"\\run.sh", outputFile = folder + L"\\output",
                       statusFile = folder + L"\\status";
    const std::string at = shellQuoted(unixFolder);
    std::string wrapped = "PATH=/usr/sbin:/usr/bin:/sbin:/bin\n( " + script + "\n) >" + at + "/output 2>&1 </dev/null\n" +
                          "echo $? >" + at + "/status.part && mv " + at + "/status.part " + at + "/status\n";
    std::wstring commandLine = L"/bin/sh \"" + toWide(unixFolder) + L"/run.sh\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (writeWholeFile(scriptFile, wrapped) &&
        CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
        if (started.hThread) CloseHandle(started.hThread);
        if (started.hProcess) CloseHandle(started.hProcess);
        std::string status;
        result.finished = waitUntil([&] { return readWholeFile(statusFile, status); }, timeoutMs);
        if (result.finished) result.status = atoi(status.c_str());
        readWholeFile(outputFile, result.output);
    }
    for (const wchar_t* name : {L"\\run.sh", L"\\output", L"\\status", L"\\status.part"}) DeleteFileW((folder + name).c_str());
    RemoveDirectoryW(folder.c_str());
    return result;
}

}  // namespace rig
