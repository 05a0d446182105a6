// A stable text report of a window and every control in it, for tests and for looking by hand.
#pragma once
#include <windows.h>

#include <string>

namespace rig {

// Text with \r, \n, \t, quotes and backslashes escaped, in quotes.
std::string quoted(const std::string& text);
// First line: the window; then one line per control, sorted by control ID:
//   1001 按钮_记录 parent=0 class=Button text="录制(F2)" at=8,8 size=56x20 enabled=1 visible=1 checked=0
//   style=0x50010000 exstyle=0x00000000
// (one line each; at= is relative to the parent's client area, parent=0 is the window itself).
std::string probeReport(HWND window);

}  // namespace rig
