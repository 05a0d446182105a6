// Reads /proc through Wine's drive Z: and picks out the processes of this Wine prefix.
#include "unix_process.h"

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <vector>

#include "support/program.h"
#include "support/rec_script.h"
#include "support/utf8.h"

namespace {

std::string readWhole(const std::string& unixPath) {
    std::string bytes;
    rig::readWholeFile(rig::windowsPath(unixPath), bytes);
    return bytes;
}

// The names in a /proc folder that are numbers: process or thread IDs.
std::vector<int> numberedEntries(const std::string& unixFolder) {
    std::vector<int> found;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((rig::windowsPath(unixFolder) + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return found;
    do {
        if (entry.cFileName[0] >= L'0' && entry.cFileName[0] <= L'9') found.push_back(_wtoi(entry.cFileName));
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return found;
}

std::string lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
    }
    return text;
}

bool inOurPrefix(int pid) {
    static const std::string prefix = [] {
        const char* value = std::getenv("WINEPREFIX");
        return value ? std::string(value) : std::string();
    }();
    if (prefix.empty()) return false;
    std::string environment = readWhole("/proc/" + std::to_string(pid) + "/environ");
    std::string wanted = "WINEPREFIX=" + prefix;
    for (size_t at = 0; at < environment.size();) {
        size_t end = environment.find('\0', at);
        if (end == std::string::npos) end = environment.size();
        if (environment.compare(at, end - at, wanted) == 0) return true;
        at = end + 1;
    }
    return false;
}

int findProcess(const std::function<bool(int)>& matches) {
    for (int pid : numberedEntries("/proc")) {
        if (matches(pid) && inOurPrefix(pid)) return pid;
    }
    return 0;
}

}  // namespace

int unixProcessOf(const std::wstring& windowsPath) {
    const std::string wanted = lower(rig::toUtf8(windowsPath));
    return findProcess([&](int pid) {
        return lower(readWhole("/proc/" + std::to_string(pid) + "/cmdline")).find(wanted) != std::string::npos;
    });
}

int wineserverProcess() {
    return findProcess([](int pid) {
        return readWhole("/proc/" + std::to_string(pid) + "/comm").rfind("wineserver", 0) == 0;
    });
}

int64_t cpuNanoseconds(int pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    std::vector<int> threads = numberedEntries(tasks);
    if (threads.empty()) return -1;
    int64_t total = 0;
    for (int thread : threads) {
        // schedstat: time on the CPU (ns), time waiting to run (ns), time slices.
        total += _atoi64(readWhole(tasks + "/" + std::to_string(thread) + "/schedstat").c_str());
    }
    return total;
}
