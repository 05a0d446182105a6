// Test-side controls of the simulated host: a virtual clock, scripted input, a model of the window.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/controls.h"

namespace sim {

// A fresh machine: tick 1000, screen 1024 x 768, cursor (0, 0), every key up, the window's
// controls in their initial state (timer stopped), run directory "C:\Velmora", no files.
void reset();

// ---- clock ----
int32_t tick();
void setTick(int32_t tick);
// Moves the clock on, applying scheduled input on the way (sleeps do the same).
void advance(int32_t ms);
// Runs `action` when the clock reaches `tick` (input changes: keys, cursor).
void at(int32_t tick, std::function<void()> action);

// ---- keys and cursor (as the user gives them) ----
void pressKey(int vk);    // down now; the next query also sees the press
void releaseKey(int vk);  // up now
void tapKey(int vk);      // pressed and released since the previous query
bool isKeyDown(int vk);
void setCursor(int32_t x, int32_t y);
void setScreen(int32_t width, int32_t height);
int32_t cursorX();
int32_t cursorY();

// ---- injections made by the program ----
struct Injection {
    int32_t tick;
    bool mouse;  // mouse_event, else keybd_event
    uint32_t flags;
    int32_t dx, dy;  // mouse
    uint8_t vk;      // keyboard
};
const std::vector<Injection>& injections();
void clearInjections();

// ---- the window model ----
struct ControlState {
    std::string text;
    bool enabled = true;
    bool checked = false;
};
ControlState& control(Control c);
// Every caption written to `c` since the reset, oldest first.
const std::vector<std::string>& textHistory(Control c);
std::vector<std::string>& listEntries();
int selection();
int32_t timerPeriod();
// Last setting written to the window's position (-1 before any), and whether it is minimised.
int windowPosition();
bool windowMinimised();
int preciseTimingDepth();

// User actions, delivered by message processing once the clock has reached `tick`.
void click(Control button, int32_t tick);
void select(int index, int32_t tick);
void spin(Control spinner, bool up, int32_t tick);
void closeWindow(int32_t tick);
// Number of times message processing ran.
int messagePumps();

// ---- dialogs ----
struct InputBoxCall {
    std::string prompt, title, initialText;
    int32_t tick;
};
// Answers the next input box; without a queued answer the box is confirmed unchanged.
// Returns confirmed; `text` holds the initial text on entry.
using InputBoxAnswer = std::function<bool(const InputBoxCall& call, std::string& text)>;
void answerInputBox(InputBoxAnswer answer);
void confirmInputBox(const std::string& text);
void cancelInputBox();
const std::vector<InputBoxCall>& inputBoxCalls();
struct MessageBoxCall {
    std::string text;
    int flags;
    std::string title;
};
const std::vector<MessageBoxCall>& messageBoxCalls();

// ---- ending ----
// Runs just before the simulated process exits (in a death test's child), with the exit code.
void onExit(std::function<void(int)> hook);

// ---- run directory, date ----
void setRunDirectory(const std::string& dir);
void setNow(int year, int month, int day, int hour, int minute, int second);

// ---- files: an in-memory file system keyed by full path ----
std::map<std::string, std::vector<uint8_t>>& files();
std::set<std::string>& directories();
// Paths whose writes fail (as a full disk or a bad name would) and files open for writing elsewhere.
std::set<std::string>& unwritablePaths();
std::set<std::string>& lockedPaths();

}  // namespace sim
