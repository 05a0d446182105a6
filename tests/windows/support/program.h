// Starting a private copy of a program under test, ending it, and reading its exit code.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace rig {

struct Program {
    HANDLE process = nullptr;
    DWORD id = 0;
    std::wstring runDirectory;  // fresh folder holding the copy (and so its own "scripts")
};

// A path handed over from the build (Unix or Windows form) as a Windows path.
std::wstring windowsPath(const std::string& path);
// velmora.exe as built, from the environment variable VELMORA_EXE.
std::wstring velmoraPath();
// A file to lay into the run folder before the program starts, such as "scripts\\demo.mrc".
struct PlacedFile {
    std::string path;  // UTF-8, relative to the run folder; missing folders are created
    std::string bytes;
};

// A new empty folder under the temporary folder, named `prefix`-<process>-<n>; empty on failure.
std::wstring newTempFolder(const wchar_t* prefix);
// Creates or truncates `path` and writes `bytes`; false unless every byte was written.
bool writeWholeFile(const std::wstring& path, const std::string& bytes);

// Copies `exe` into a new empty folder, lays `files` into it and starts the copy there; false (with
// `error`) on failure. Started programs end at the latest when the test process ends.
bool startCopy(const std::wstring& exe, Program& program, std::string& error,
               const std::vector<PlacedFile>& files = {});
bool startVelmora(Program& program, std::string& error, const std::vector<PlacedFile>& files = {});
// Waits for the program to end; false when it is still running after `timeoutMs`.
bool waitForExit(const Program& program, int timeoutMs, DWORD& exitCode);
bool isRunning(const Program& program);
// Asks `window` to close with WM_CLOSE and waits for the program to end.
bool closeAndWait(HWND window, const Program& program, int timeoutMs, DWORD& exitCode);
// Kills the program if it still runs, releases its handle and removes its folder.
void dispose(Program& program);

}  // namespace rig
