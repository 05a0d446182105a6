// Private copies of the program under test, each in its own folder, killed with the test process.
#include "support/program.h"

#include <cstdlib>

#include "support/utf8.h"

namespace rig {
namespace {

// Every started program joins this job, which kills its members when the test process ends.
HANDLE killOnExitJob() {
    static HANDLE job = [] {
        HANDLE created = CreateJobObjectW(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (created) SetInformationJobObject(created, JobObjectExtendedLimitInformation, &limits, sizeof limits);
        return created;
    }();
    return job;
}

std::wstring fileName(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

void removeTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring path = folder + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

bool placeFile(const std::wstring& folder, const PlacedFile& file) {
    std::wstring path = folder + L"\\" + toWide(file.path);
    for (size_t slash = path.find(L'\\', folder.size() + 1); slash != std::wstring::npos;
         slash = path.find(L'\\', slash + 1)) {
        CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
    }
    return writeWholeFile(path, file.bytes);
}

}  // namespace

std::wstring newTempFolder(const wchar_t* prefix) {
    static int counter = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    for (;;) {
        std::wstring folder = std::wstring(temp) + prefix + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(++counter);
        if (CreateDirectoryW(folder.c_str(), nullptr)) return folder;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return {};
    }
}

bool writeWholeFile(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool complete = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr) && written == bytes.size();
    CloseHandle(file);
    return complete;
}

std::wstring windowsPath(const std::string& path) {
    std::wstring wide = toWide(path);
    // Wine shows the Unix root as drive Z:.
    if (!wide.empty() && wide[0] == L'/') wide = L"Z:" + wide;
    for (wchar_t& c : wide) {
        if (c == L'/') c = L'\\';
    }
    return wide;
}

std::wstring velmoraPath() {
    const char* path = std::getenv("VELMORA_EXE");
    return path ? windowsPath(path) : std::wstring();
}

bool startCopy(const std::wstring& exe, Program& program, std::string& error, const std::vector<PlacedFile>& files) {
    if (exe.empty()) {
        error = "no program path (set VELMORA_EXE)";
        return false;
    }
    program.runDirectory = newTempFolder(L"velmora-run");
    if (program.runDirectory.empty()) {
        error = "cannot create a run folder";
        return false;
    }
    std::wstring copy = program.runDirectory + L"\\" + fileName(exe);
    if (!CopyFileW(exe.c_str(), copy.c_str(), TRUE)) {
        error = "cannot copy " + toUtf8(exe) + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    for (const PlacedFile& file : files) {
        if (!placeFile(program.runDirectory, file)) {
            error = "cannot lay out " + file.path;
            return false;
        }
    }
    std::wstring commandLine = L"\"" + copy + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(copy.c_str(), &commandLine[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        program.runDirectory.c_str(), &startup, &started)) {
        error = "cannot start " + toUtf8(copy) + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    // Joined while suspended, so that not even its first instruction runs outside the job.
    AssignProcessToJobObject(killOnExitJob(), started.hProcess);
    ResumeThread(started.hThread);
    CloseHandle(started.hThread);
    program.process = started.hProcess;
    program.id = started.dwProcessId;
    return true;
}

bool startVelmora(Program& program, std::string& error, const std::vector<PlacedFile>& files) {
    return startCopy(velmoraPath(), program, error, files);
}

bool waitForExit(const Program& program, int timeoutMs, DWORD& exitCode) {
    if (WaitForSingleObject(program.process, timeoutMs) != WAIT_OBJECT_0) return false;
    return GetExitCodeProcess(program.process, &exitCode) != 0;
}

bool isRunning(const Program& program) {
    return program.process && WaitForSingleObject(program.process, 0) == WAIT_TIMEOUT;
}

bool closeAndWait(HWND window, const Program& program, int timeoutMs, DWORD& exitCode) {
    if (!PostMessageW(window, WM_CLOSE, 0, 0)) return false;
    return waitForExit(program, timeoutMs, exitCode);
}

void dispose(Program& program) {
    if (program.process) {
        if (isRunning(program)) {
            TerminateProcess(program.process, 1);
            WaitForSingleObject(program.process, 10000);
        }
        CloseHandle(program.process);
        program.process = nullptr;
    }
    if (!program.runDirectory.empty()) removeTree(program.runDirectory);
    program.runDirectory.clear();
}

}  // namespace rig
