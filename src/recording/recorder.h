// The polling recorder: cursor and all 256 key states into the event buffer until stopped.
#pragma once
#include <cstdint>

// The whole recording, from preparing the window to saving the script.
void record();
// One key's state as seen by a poll.
void onKey(uint8_t vk, int32_t state);
