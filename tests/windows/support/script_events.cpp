// Move records aimed at pixels, the mapping back from the 0..65535 scale, and whole script images.
#include "support/script_events.h"

#include <windows.h>

namespace rig {

std::string scriptBytes(const std::vector<ScriptRecord>& records) {
    std::string bytes;
    for (const ScriptRecord& record : records) bytes += encodeRecord(record);
    return bytes;
}

ScriptRecord moveTo(int32_t time, int x, int y) {
    auto normalised = [](int at, int extent) { return (int32_t)((2LL * at + 1) * 32768 / extent); };
    return {time, 0, normalised(x, GetSystemMetrics(SM_CXSCREEN)), normalised(y, GetSystemMetrics(SM_CYSCREEN))};
}

int pixelOf(int32_t normalised, int extent) {
    return (int)(((int64_t)normalised * extent) >> 16);
}

}  // namespace rig
