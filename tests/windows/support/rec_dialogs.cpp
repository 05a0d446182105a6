// Finding the program's modal boxes among its top-level windows and answering them with real keys.
#include "support/rec_dialogs.h"

#include "support/find.h"
#include "support/input.h"
#include "support/read.h"
#include "support/rec_actions.h"
#include "support/wait.h"

namespace rig {
namespace {

struct BoxSearch {
    DWORD process;
    std::string caption;
    bool (*fits)(HWND box, const std::string& text);
    std::string text;
    HWND found;
};

BOOL CALLBACK matchBox(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<BoxSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->process || !IsWindowVisible(window) || classOf(window) != "#32770") return TRUE;
    if (textOf(window) != search->caption || !search->fits(window, search->text)) return TRUE;
    search->found = window;
    return FALSE;
}

HWND findBox(DWORD id, const std::string& caption, bool (*fits)(HWND, const std::string&), const std::string& text) {
    BoxSearch search = {id, caption, fits, text, nullptr};
    EnumWindows(matchBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool hasEditField(HWND box, const std::string&) {
    return editFieldOf(box) != nullptr;
}

bool hasStaticReading(HWND box, const std::string& text) {
    for (HWND child : descendants(box)) {
        if (classOf(child) == "Static" && textOf(child) == text) return true;
    }
    return false;
}

bool closes(HWND box) {
    return waitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); });
}

}  // namespace

HWND findInputBox(DWORD id, const std::string& caption) {
    return findBox(id, caption, hasEditField, "");
}

HWND waitForInputBox(DWORD id, const std::string& caption, int timeoutMs) {
    HWND found = nullptr;
    waitUntil([&] { return (found = findInputBox(id, caption)) != nullptr; }, timeoutMs);
    return found;
}

HWND editFieldOf(HWND box) {
    for (HWND child : descendants(box)) {
        if (classOf(child) == "Edit") return child;
    }
    return nullptr;
}

HWND waitForMessageBox(DWORD id, const std::string& caption, const std::string& text, int timeoutMs) {
    HWND found = nullptr;
    waitUntil([&] { return (found = findBox(id, caption, hasStaticReading, text)) != nullptr; }, timeoutMs);
    return found;
}

bool showsIcon(HWND box) {
    for (HWND child : descendants(box)) {
        if (classOf(child) == "Static" && (styleOf(child) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child))
            return true;
    }
    return false;
}

bool typeAndConfirm(HWND box, const std::string& text) {
    if (!bringToFront(box)) return false;
    HWND edit = editFieldOf(box);
    if (!edit || !waitUntil([&] { return focusOf(box) == edit; })) return false;
    // The box opens with its whole text selected, so typing replaces it.
    typeText(text);
    if (!waitUntil([&] { return textOf(edit) == text; })) return false;
    tapKey(VK_RETURN);
    return closes(box);
}

bool confirm(HWND box) {
    if (!bringToFront(box)) return false;
    tapKey(VK_RETURN);
    return closes(box);
}

}  // namespace rig
