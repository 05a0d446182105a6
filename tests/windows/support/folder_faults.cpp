// Unwritable folders and a full disk for Wine programs: each way is laid, then checked from this
// process, because Wine runs as the Unix user and root passes over plain permission bits.
#include "support/folder_faults.h"

#include <windows.h>

#include "support/linux_command.h"

namespace rig {
namespace {

// Creates and removes a file in `folder`; the Windows error when that is refused, else 0.
DWORD creationError(const std::wstring& folder) {
    std::wstring probe = folder + L"\\~write-probe.tmp";
    HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError() ? GetLastError() : ERROR_GEN_FAILURE;
    CloseHandle(file);
    DeleteFileW(probe.c_str());
    return 0;
}

struct Way {
    const char* name;
    const char* lay;   // shell commands on "$1", or null for the Windows attribute
    const char* undo;
};

const Way kWays[] = {
    {"read-only attribute", nullptr, nullptr},
    {"chmod a-w", "chmod a-w \"$1\"", "chmod u+w \"$1\""},
    {"chattr +i", "chattr +i \"$1\"", "chattr -i \"$1\""},
    {"read-only bind mount",
     "mount --bind \"$1\" \"$1\" && { mount -o remount,bind,ro \"$1\" || { umount \"$1\"; exit 1; }; }",
     "umount \"$1\" || umount -l \"$1\""},
};

// Runs `commands` with the folder as "$1"; empty on success, else what went wrong.
std::string onFolder(const char* commands, const std::string& unixPath) {
    ShellResult run = runShell(std::string("set -- ") + shellQuoted(unixPath) + "\n" + commands);
    if (!run.finished) return "did not run to its end";
    if (run.status != 0) return "exit status " + std::to_string(run.status) + ": " + run.output;
    return {};
}

std::string oneLine(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    for (char& c : text) {
        if (c == '\n') c = ' ';
    }
    return text;
}

bool lay(const Way& way, const FolderFault& fault, std::string& problem) {
    if (way.lay) {
        problem = onFolder(way.lay, fault.unixPath);
        return problem.empty();
    }
    if (SetFileAttributesW(fault.folder.c_str(), FILE_ATTRIBUTE_READONLY)) return true;
    problem = "SetFileAttributes error " + std::to_string(GetLastError());
    return false;
}

bool undo(const Way& way, const FolderFault& fault) {
    if (way.undo) return onFolder(way.undo, fault.unixPath).empty();
    return SetFileAttributesW(fault.folder.c_str(), FILE_ATTRIBUTE_NORMAL) != 0;
}

}  // namespace

bool makeUnwritable(const std::wstring& folder, FolderFault& fault, std::string& measured) {
    fault = {folder, unixPathOf(folder), ""};
    if (fault.unixPath.empty()) {
        measured = "not running under Wine: no Unix path for the folder\n";
        return false;
    }
    for (const Way& way : kWays) {
        std::string problem;
        if (!lay(way, fault, problem)) {
            measured += std::string(way.name) + ": could not be laid (" + oneLine(problem) + ")\n";
            continue;
        }
        DWORD error = creationError(folder);
        if (error != 0) {
            measured += std::string(way.name) + ": creating a file fails with error " + std::to_string(error) + "\n";
            fault.way = way.name;
            return true;
        }
        measured += std::string(way.name) + ": laid, yet a file can still be created\n";
        if (!undo(way, fault)) measured += std::string(way.name) + ": could not be undone\n";
    }
    return false;
}

bool mountSmallDisk(const std::wstring& folder, int bytes, FolderFault& fault, std::string& measured) {
    fault = {folder, unixPathOf(folder), ""};
    if (fault.unixPath.empty()) {
        measured = "not running under Wine: no Unix path for the folder";
        return false;
    }
    std::string mount = "mount -t tmpfs -o size=" + std::to_string(bytes) + ",mode=0777 velmora-small \"$1\"";
    std::string problem = onFolder(mount.c_str(), fault.unixPath);
    if (!problem.empty()) {
        measured = "mount -t tmpfs failed (" + oneLine(problem) + ")";
        return false;
    }
    fault.way = "tmpfs";
    measured = "tmpfs of " + std::to_string(bytes) + " bytes mounted on " + fault.unixPath;
    return true;
}

bool removeFault(FolderFault& fault) {
    bool undone = true;
    if (fault.way == "tmpfs") {
        undone = onFolder("umount \"$1\" || umount -l \"$1\"", fault.unixPath).empty();
    } else {
        for (const Way& way : kWays) {
            if (fault.way == way.name) undone = undo(way, fault);
        }
    }
    if (undone) fault.way.clear();
    return undone;
}

}  // namespace rig
