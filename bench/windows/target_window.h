// The benchmark's own target window: on a thread of its own, it stamps every input message it
// receives with the high-resolution clock as it takes it from its queue.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "seeded_input.h"

struct LoggedInput {
    UINT message;  // WM_MOUSEMOVE, WM_LBUTTONDOWN, ..., WM_KEYDOWN, WM_KEYUP (system variants too)
    int code;  // the virtual key for key messages
    int x, y;  // screen pixel for mouse messages
    int64_t stamp;  // QueryPerformanceCounter
};

// Opens the topmost, borderless target window over `area` and keeps it serviced; null on failure.
HWND openTargetWindow(const Area& area);
// Everything logged since the last call, in the order received.
std::vector<LoggedInput> takeLoggedInput();
// Closes the window and ends its thread.
void closeTargetWindow();
// Milliseconds between two high-resolution stamps.
double stampMs(int64_t from, int64_t to);
int64_t stampNow();
