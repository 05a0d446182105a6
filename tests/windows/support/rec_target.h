// A plain window of the test's own, on a thread that keeps its messages flowing, to receive the keys
// and clicks a test injects while the program under test is minimised.
#pragma once
#include <windows.h>

namespace rig {

struct TargetWindow {
    HWND window = nullptr;
    HANDLE thread = nullptr;
};

// Opens a visible top-level window titled "target" at screen pixel (x, y) with the given outer size,
// served by a thread of its own; false when it could not be made.
bool openTargetWindow(TargetWindow& target, int x, int y, int width, int height);
// Destroys the window and ends its thread.
void closeTargetWindow(TargetWindow& target);

}  // namespace rig
