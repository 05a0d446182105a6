// Seeded input for the benchmarks: a script to play and a schedule to inject while recording.
#pragma once
#include <cstdint>
#include <vector>

#include "support/rec_script.h"

// A rectangle of the primary screen, in pixels.
struct Area {
    int left, top, width, height;
};

// One input action to inject: a cursor move to a pixel, or a key or mouse button going down or up.
struct ScheduledInput {
    double atMs;  // from the start of the schedule
    uint8_t kind;  // 0 move, else the virtual-key code (1 and 2 the left and right buttons)
    int x, y;  // pixel, for a move
    bool down;
};

// The playback script: at least `minEvents` records spanning at least `minMs`, moves to distinct
// pixels of `area`, letter and digit taps, left and right clicks; it opens with a move and a left
// click so the target window is active before the first key. Times start at `leadInMs`.
std::vector<rig::ScriptRecord> playbackScript(uint32_t seed, const Area& area, int minEvents, int minMs, int leadInMs);
// The recording schedule: at least `events` inputs with gaps of `minGapMs`..`maxGapMs`, moves to
// distinct pixels of `area` at least 24 pixels from its edges, letter and digit taps, left clicks.
std::vector<ScheduledInput> recordingSchedule(uint32_t seed, const Area& area, int events, int minGapMs,
                                              int maxGapMs);
