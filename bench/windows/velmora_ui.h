// A private copy of velmora.exe driven as a user does it: its window, hot keys, the name box.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "app/controls.h"
#include "support/program.h"

struct Velmora {
    rig::Program program;
    HWND window = nullptr;
    int unixPid = 0;  // for CPU time
};

// Starts a copy with `files` laid into its folder and waits for its window; false with `error`.
bool openVelmora(Velmora& v, std::string& error, const std::vector<rig::PlacedFile>& files = {});
// Closes the window and waits for the program to end; kills it when it does not.
void closeVelmora(Velmora& v);
HWND controlOf(const Velmora& v, Control id);
bool waitForText(const Velmora& v, Control id, const std::string& text, int timeoutMs);
bool waitForEnabled(const Velmora& v, Control id, bool enabled, int timeoutMs);
// F2, then waits until the recording runs (the stop button is enabled).
bool startRecordingByHotKey(const Velmora& v);
// Clicks the record button, then waits until the recording runs.
bool startRecordingByButton(const Velmora& v);
// F3, confirms the offered name with Enter, and waits until the window is idle again.
bool stopRecordingAndSave(const Velmora& v);
// The bytes of the one script in the copy's scripts folder; false when there is none.
bool readSavedScript(const Velmora& v, std::string& bytes);
