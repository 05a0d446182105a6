// Reads other processes' windows through messages with a timeout, so a hung program fails a test
// instead of hanging it.
#include "support/read.h"

#include "support/utf8.h"

namespace rig {
namespace {

constexpr UINT kAnswerMs = 5000;

LRESULT ask(HWND window, UINT message, WPARAM w, LPARAM l) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, w, l, SMTO_ABORTIFHUNG, kAnswerMs, &result)) return -1;
    return (LRESULT)result;
}

}  // namespace

std::string textOf(HWND window) {
    LRESULT length = ask(window, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return {};
    std::wstring text(length + 1, L'\0');
    LRESULT got = ask(window, WM_GETTEXT, text.size(), (LPARAM)&text[0]);
    text.resize(got > 0 ? got : 0);
    return toUtf8(text);
}

std::string classOf(HWND window) {
    wchar_t name[256] = {};
    int length = GetClassNameW(window, name, 256);
    return toUtf8(std::wstring(name, length > 0 ? length : 0));
}

Box boxInParent(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    HWND parent = (styleOf(window) & WS_CHILD) ? GetParent(window) : nullptr;
    if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Box boxOnScreen(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

DWORD styleOf(HWND window) {
    return (DWORD)GetWindowLongW(window, GWL_STYLE);
}

DWORD exStyleOf(HWND window) {
    return (DWORD)GetWindowLongW(window, GWL_EXSTYLE);
}

int checkedOf(HWND button) {
    return (int)ask(button, BM_GETCHECK, 0, 0);
}

std::vector<std::string> listEntries(HWND list) {
    std::vector<std::string> entries;
    LRESULT count = ask(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = ask(list, LB_GETTEXTLEN, i, 0);
        std::wstring text(length > 0 ? length + 1 : 1, L'\0');
        LRESULT got = ask(list, LB_GETTEXT, i, (LPARAM)&text[0]);
        text.resize(got > 0 ? got : 0);
        entries.push_back(toUtf8(text));
    }
    return entries;
}

int listSelectionOf(HWND list) {
    return (int)ask(list, LB_GETCURSEL, 0, 0);
}

ControlState readControl(HWND control) {
    ControlState state = {};
    state.id = GetDlgCtrlID(control);
    HWND parent = GetParent(control);
    state.parentId = (parent && (styleOf(parent) & WS_CHILD)) ? GetDlgCtrlID(parent) : 0;
    state.className = classOf(control);
    state.text = textOf(control);
    state.box = boxInParent(control);
    state.enabled = IsWindowEnabled(control) != 0;
    state.visible = IsWindowVisible(control) != 0;
    state.checked = CompareStringOrdinal(toWide(state.className).c_str(), -1, L"Button", -1, TRUE) == CSTR_EQUAL
                        ? checkedOf(control)
                        : -1;
    state.style = styleOf(control);
    state.exStyle = exStyleOf(control);
    return state;
}

HWND focusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    if (!thread || !GetGUIThreadInfo(thread, &info)) return nullptr;
    return info.hwndFocus;
}

}  // namespace rig
