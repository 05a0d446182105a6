// The program's name box and message boxes as seen from a test: finding them, reading them, answering.
#pragma once
#include <windows.h>

#include <string>

namespace rig {

// The visible input box (a dialog with an edit field) of process `id` captioned `caption`, or null.
HWND findInputBox(DWORD id, const std::string& caption);
HWND waitForInputBox(DWORD id, const std::string& caption, int timeoutMs);
// The edit field of an input box, or null.
HWND editFieldOf(HWND box);
// The visible message box of process `id` captioned `caption` whose message reads `text`, or null.
HWND waitForMessageBox(DWORD id, const std::string& caption, const std::string& text, int timeoutMs);
// True when `box` shows an icon (as a message box with the error icon does).
bool showsIcon(HWND box);
// Brings `box` to the front, replaces its edit field's text by typing `text` (when it has an edit field),
// then presses Enter; false when the box did not come to the front, did not show the text or stayed open.
bool typeAndConfirm(HWND box, const std::string& text);
// Brings `box` to the front and presses Enter; false when it stayed open.
bool confirm(HWND box);

}  // namespace rig
