// The program's shared state: one of each, alive from start-up to the end of the process.
#pragma once
#include <cstdint>
#include <string>

#include "recording/event_record.h"

constexpr int32_t kBufferCapacity = 92000;
constexpr int kKeyCount = 256;

// Slots 1..kBufferCapacity (index 0 is unused so record numbers are indices).
extern EventRecord* EventBuffer;
extern int32_t eventCount;

// Slots 1..256; entry vk + 1 is the last key-state value seen for vk.
extern int32_t* KeyStateTable;

struct CursorPoint {
    int32_t x;
    int32_t y;
};
extern CursorPoint lastCursor;
extern int32_t screenWidth;
extern int32_t screenHeight;

extern int32_t startTick;
extern bool stopRecording;
extern bool stopPlayback;
extern std::string capacityText;

// Allocates and zeroes the state above; false when memory runs out (already reported).
bool createSharedState();
// Releases the state; runs at most once.
void cleanUp();
// Runs the clean-up and ends the process with `code`.
[[noreturn]] void endProgram(int code);
