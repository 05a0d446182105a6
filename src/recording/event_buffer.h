// The recording in memory: appending events to the fixed 92000-slot buffer.
#pragma once
#include <cstdint>

#include "recording/event_record.h"

// Record number n, 1..92000.
EventRecord& eventAt(int32_t n);
// Adds one event stamped with the time since startTick; a full buffer stops the recording.
void append(uint8_t kind, int32_t p1, int32_t p2);
