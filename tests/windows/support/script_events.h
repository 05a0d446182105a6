// Scripts that tests lay out for playback: move records aimed at pixels, and the file image of records.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "support/rec_script.h"

namespace rig {

constexpr int32_t kDown = 0;
constexpr int32_t kUp = 2;

// The file image: the records one after another, no header.
std::string scriptBytes(const std::vector<ScriptRecord>& records);
// A move record to screen pixel (x, y) of the primary screen, aimed at the middle of the pixel so that
// the system's mapping lands on it whichever way it rounds.
ScriptRecord moveTo(int32_t time, int x, int y);
// The pixel on which a normalised coordinate lands, for a screen `extent` pixels long.
int pixelOf(int32_t normalised, int extent);

}  // namespace rig
