// What a user does with the program's controls: clicking buttons and list entries, typing text.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace rig {

// A real left click in the middle of `button`; false when the pointer did not reach it or the button
// never showed itself pushed (a disabled button, for one).
bool clickButton(HWND button);
// Clicks `button` until `done` holds, at most three times, and never again once the button is disabled
// (as the program's buttons are by their own click); false when `done` never held.
bool clickButtonUntil(HWND button, const std::function<bool()>& done);
// Real left clicks on entry `index` of `list` until it is selected; false when it never was.
bool clickListEntry(HWND list, int index);
// Types `text` (UTF-8) as Unicode characters into whatever has the keyboard focus.
void typeText(const std::string& text);
// Clicks into `edit`, selects its text with End and Shift+Home and types `text` over it; false when
// the edit box did not end up showing `text`.
bool retypeEditBox(HWND edit, const std::string& text);

}  // namespace rig
