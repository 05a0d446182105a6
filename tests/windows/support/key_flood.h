// A flood of harmless key presses and releases, for filling a recording fast: every key of the flood
// changes state once per poll of the recorder, so each poll adds dozens of events.
#pragma once
#include <windows.h>

#include <vector>

namespace rig {

// Letters, digits, F5..F9, F11..F24, the keypad's digits and operators, the arrow, page, Insert and
// Delete keys, punctuation: 91 keys, no hot key (F2, F3, F4), no modifier, lock, Windows, media or
// power key, and not F10, which would put the front window in menu mode.
const std::vector<WORD>& floodKeys();

struct Flood {
    int count = -1;  // the last count read from the progress label
    int cycles = 0;  // press-all and release-all rounds sent
};

// Presses every flood key at once, waits until the recorder's count in `progressLabel` has grown (it is
// read between two polls), releases them all, waits again, and so on, until the label
// counts `count` events or `timeoutMs` has passed. Every flood key is up when it returns.
Flood floodUntil(HWND progressLabel, int count, int timeoutMs);
// Releases every flood key, whatever state it is in.
void releaseFloodKeys();
// The number before " / " in a label such as "17 / 92000", read with one message; -1 when unreadable.
int countIn(HWND progressLabel);

}  // namespace rig
