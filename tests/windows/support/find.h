// Finding the program's windows: its main window, a control by ID, a message box.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace rig {

// The visible top-level window of process `id` whose title is `title`, or null.
HWND findTopLevel(DWORD id, const std::string& title);
// The visible top-level dialog (a message box, for one) of process `id` with caption `caption`, or null.
HWND findDialog(DWORD id, const std::string& caption);
// Waits until findTopLevel finds the window; null on timeout.
HWND waitForTopLevel(DWORD id, const std::string& title, int timeoutMs);
HWND waitForDialog(DWORD id, const std::string& caption, int timeoutMs);
// The main window "Velmora" of process `id`, waited for.
HWND waitForVelmora(DWORD id);
// Every descendant of `window` (controls in group boxes too), in the system's order.
std::vector<HWND> descendants(HWND window);
// The descendant with control ID `id`, or null.
HWND findControl(HWND window, int id);
// The first direct child of `window` with the given class, or null.
HWND findChildOfClass(HWND window, const std::string& className);

}  // namespace rig
