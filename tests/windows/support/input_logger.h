// A plain top-level window of the test's own that logs every input message it receives, time-stamped.
//
// Use (tests and benchmarks alike, linked with velmora_test_support):
//   rig::InputLogger logger;                       // keep it in place while it runs (it holds a mutex)
//   rig::startInputLogger(logger, {10, 10, 360, 400}, L"target");
//   rig::bringToFrontToStay(logger.window);       // keys go to the foreground window (velmora_actions.h)
//   ... let input arrive (injected by Velmora's playback or by the test) ...
//   std::vector<rig::LoggedInput> got = rig::loggedInputs(logger);
//   rig::stopInputLogger(logger);
// The window runs its own message loop on a thread of the caller's process, so it takes its input
// however busy the test thread is. Each entry carries the QueryPerformanceCounter value at which the
// window procedure received it: rig::msBetween(a.at, b.at) gives milliseconds between two entries.
// WM_CLOSE (as from Alt+F4) is logged and otherwise ignored, so the window stays until stopped.
#pragma once
#include <windows.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "support/read.h"

namespace rig {

struct LoggedInput {
    UINT message;     // WM_MOUSEMOVE, WM_LBUTTONDOWN, ..., WM_KEYDOWN, WM_SYSKEYUP, WM_CLOSE
    int code;         // as in a script: 0 move, 1 left, 2 right, 4 middle, else the virtual key; -1 close
    int transition;   // as in a script: 0 down, 2 up (0 for moves and WM_CLOSE)
    POINT screen;     // cursor position on the screen (mouse messages)
    POINT client;     // the same in the window's client area
    LPARAM keyData;   // lParam of key messages: repeat count, scan code, bit 29 Alt held, bit 30 was down
    int64_t at;       // QueryPerformanceCounter when the window procedure got it
};

struct InputLogger {
    HWND window = nullptr;
    HANDLE thread = nullptr;
    std::mutex guard;                 // the log is appended on the window's thread
    std::vector<LoggedInput> log;
};

// Opens the window at `outer` (screen place and outer size) with `title`, shown and in front.
bool startInputLogger(InputLogger& logger, const Box& outer, const wchar_t* title);
// Closes the window and ends its thread.
void stopInputLogger(InputLogger& logger);
std::vector<LoggedInput> loggedInputs(InputLogger& logger);
void clearLoggedInputs(InputLogger& logger);
// The client area on the screen.
Box clientOnScreen(HWND window);
// Milliseconds from counter value `from` to `to`.
double msBetween(int64_t from, int64_t to);
// One line for messages: "keydown 65", "move 120,80", "lbuttonup", "close".
std::string describe(const LoggedInput& input);

}  // namespace rig
