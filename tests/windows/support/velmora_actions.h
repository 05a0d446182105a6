// Longer things a user does in Velmora's window, built from the single clicks and typing of rec_actions.
#pragma once
#include <windows.h>

#include <string>

#include "support/input_logger.h"

namespace rig {

// Makes `window` the foreground window and waits until it has stayed so for a moment. Without a window
// manager, Wine may hand the foreground on once more when a window that just appeared gets its late
// focus event, so one request is not always enough.
bool bringToFrontToStay(HWND window);
// Starts a playback as a user does: clicks entry `entry` of the script list, types the pass count and
// the pause, puts `target` in front (the minimised window hands it the input), empties its log and
// clicks 回放. False, with what went wrong in `failure`, when a step does not take.
bool startPlayback(HWND velmora, int entry, const std::string& passes, const std::string& pause,
                   InputLogger& target, std::string& failure);
// The number before " / " in a progress label such as "17 / 92000"; -1 when there is none.
int progressCount(HWND label);

}  // namespace rig
