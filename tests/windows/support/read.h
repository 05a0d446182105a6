// Reading another process's windows: texts, classes, places, states, list entries, focus.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace rig {

struct Box {
    int x, y, width, height;
};

// What one control shows and how it is set, as read from outside.
struct ControlState {
    int id;
    int parentId;  // 0 for a control placed directly on the top-level window
    std::string className;
    std::string text;
    Box box;  // relative to the parent's client area
    bool enabled;
    bool visible;
    int checked;  // BM_GETCHECK for buttons, -1 for other classes
    DWORD style;
    DWORD exStyle;
};

// WM_GETTEXT, as UTF-8.
std::string textOf(HWND window);
std::string classOf(HWND window);
// Place and size relative to the parent's client area (the screen for a top-level window).
Box boxInParent(HWND window);
// Outer place and size on the screen.
Box boxOnScreen(HWND window);
DWORD styleOf(HWND window);
DWORD exStyleOf(HWND window);
// BM_GETCHECK.
int checkedOf(HWND button);
std::vector<std::string> listEntries(HWND list);
// LB_GETCURSEL: the 0-based selected index or -1.
int listSelectionOf(HWND list);
ControlState readControl(HWND control);
// The window with the keyboard focus on the thread that owns `window`, or null.
HWND focusOf(HWND window);

}  // namespace rig
