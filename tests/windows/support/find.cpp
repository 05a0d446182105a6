// Window searches by process, title, class and control ID.
#include "support/find.h"

#include "support/read.h"
#include "support/wait.h"

namespace rig {
namespace {

struct TopLevelSearch {
    DWORD process;
    std::string title;
    bool dialogOnly;
    HWND found;
};

BOOL CALLBACK matchTopLevel(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<TopLevelSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->process || !IsWindowVisible(window)) return TRUE;
    if (search->dialogOnly && classOf(window) != "#32770") return TRUE;
    if (textOf(window) != search->title) return TRUE;
    search->found = window;
    return FALSE;
}

HWND findWindow(DWORD id, const std::string& title, bool dialogOnly) {
    TopLevelSearch search = {id, title, dialogOnly, nullptr};
    EnumWindows(matchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK collect(HWND window, LPARAM data) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    return TRUE;
}

}  // namespace

HWND findTopLevel(DWORD id, const std::string& title) {
    return findWindow(id, title, false);
}

HWND findDialog(DWORD id, const std::string& caption) {
    return findWindow(id, caption, true);
}

HWND waitForTopLevel(DWORD id, const std::string& title, int timeoutMs) {
    HWND found = nullptr;
    waitUntil([&] { return (found = findTopLevel(id, title)) != nullptr; }, timeoutMs);
    return found;
}

HWND waitForDialog(DWORD id, const std::string& caption, int timeoutMs) {
    HWND found = nullptr;
    waitUntil([&] { return (found = findDialog(id, caption)) != nullptr; }, timeoutMs);
    return found;
}

HWND waitForVelmora(DWORD id) {
    // A cold Wine start of a GUI program can take several seconds.
    return waitForTopLevel(id, "Velmora", 30000);
}

std::vector<HWND> descendants(HWND window) {
    std::vector<HWND> found;
    EnumChildWindows(window, collect, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND findControl(HWND window, int id) {
    for (HWND control : descendants(window)) {
        if (GetDlgCtrlID(control) == id) return control;
    }
    return nullptr;
}

HWND findChildOfClass(HWND window, const std::string& className) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (classOf(child) == className) return child;
    }
    return nullptr;
}

}  // namespace rig
