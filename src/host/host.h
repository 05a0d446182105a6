// The seam to the operating system: free functions, Win32 in the program, a simulation in tests.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/controls.h"

// ---- input and timing ------------------------------------------------------

// 16-bit state of key `vk`: non-zero when down now or pressed since the previous query.
int16_t keyState(int vk);
void cursorPosition(int32_t& x, int32_t& y);
int32_t primaryScreenWidth();
int32_t primaryScreenHeight();
// Milliseconds since system start, taken as signed.
int32_t tickCount();

// mouse_event flags used by the player.
constexpr uint32_t kMouseMove = 0x0001;
constexpr uint32_t kMouseLeftDown = 0x0002;
constexpr uint32_t kMouseLeftUp = 0x0004;
constexpr uint32_t kMouseRightDown = 0x0008;
constexpr uint32_t kMouseRightUp = 0x0010;
constexpr uint32_t kMouseMiddleDown = 0x0020;
constexpr uint32_t kMouseMiddleUp = 0x0040;
constexpr uint32_t kMouseAbsolute = 0x8000;
constexpr uint32_t kKeyRelease = 0x0002;

void injectMouse(uint32_t flags, int32_t dx, int32_t dy, uint32_t data, uintptr_t extraInfo);
void injectKey(uint8_t vk, uint8_t scan, uint32_t flags, uintptr_t extraInfo);

// Blocks the thread; no window messages are handled meanwhile.
void sleepMs(int32_t ms);
// Dispatches every waiting message (timer ticks, clicks, repaints), then returns.
void processMessages();
// Sleeps of a few ms are only that short while this is on (recording, playback).
void beginPreciseTiming();
void endPreciseTiming();

// Directory that holds the program file, without a trailing backslash (UTF-8).
std::string runDirectory();

// ---- the main window's controls --------------------------------------------

void enableControl(Control c, bool enabled);
void setControlText(Control c, const std::string& text);
std::string controlText(Control c);
bool isChecked(Control c);
void clearList(Control list);
void addListEntry(Control list, const std::string& text);
// 0-based index of the selection, or -1.
int listSelection(Control list);
// Empty for an index outside the list.
std::string listEntry(Control list, int index);
// 0 or less stops the timer; the period it already has changes nothing.
void setTimerPeriod(Control timer, int32_t ms);
// kWindowMinimised or kWindowNormal; acts only on a visible window.
void setWindowPosition(int setting);

// ---- dialogs ---------------------------------------------------------------

// Modal name prompt; true with the typed text when confirmed, false when cancelled.
bool inputBox(const std::string& prompt, const std::string& title, const std::string& initialText,
              std::string& text);
constexpr int kMessageBoxError = 16;
void messageBox(const std::string& text, int flags, const std::string& title);

// ---- files (paths in UTF-8 with backslashes) -------------------------------

// False when the directory could not be made (for instance because it exists).
bool createDirectory(const std::string& path);
bool deleteFile(const std::string& path);
// Creates or truncates `path`, others may read but not write while it is open,
// writes all `size` bytes and closes it; false on any failure.
bool writeWholeFile(const std::string& path, const uint8_t* data, size_t size);
// Moves `from` over `to`, replacing it; false on failure.
bool replaceFile(const std::string& from, const std::string& to);
// Opens an existing file for reading (others may read, not write) and reads at most
// `capacity` bytes from its start; false when it cannot be opened.
bool readFileHead(const std::string& path, uint8_t* data, size_t capacity, size_t& got);
// Bare names of the plain files matching `pattern`, in the file system's order.
std::vector<std::string> listFiles(const std::string& pattern);

// ---- time of day -----------------------------------------------------------

struct DateTime {
    int year, month, day, hour, minute, second;
};
// Local wall-clock time in whole seconds.
DateTime now();

// ---- ending ----------------------------------------------------------------

[[noreturn]] void exitProcess(int code);
// Shows the fatal-error box (no owner, "错误", error icon) and exits with -1, no clean-up.
[[noreturn]] void fatalError(const std::string& message);
