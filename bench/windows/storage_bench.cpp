// storage_bench.exe: save and load of a full 92000-record script through the program's own script
// library and Win32 file functions, timed in process. Only the name box is answered at once here,
// so the figures are the storage work without the dialog.
//   storage_bench.exe --results FILE [--repeats N]
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/state.h"
#include "host/host.h"
#include "recording/event_buffer.h"
#include "results.h"
#include "stats.h"
#include "storage/script_library.h"

namespace {

const char* const kScriptName = "storage-bench";

double nowMs() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return (double)now.QuadPart * 1000.0 / (double)frequency.QuadPart;
}

// A full buffer of varied records, negative values included.
void fillBuffer() {
    uint32_t state = 12345;
    for (int32_t n = 1; n <= kBufferCapacity; ++n) {
        state = state * 1103515245u + 12345u;
        EventRecord& r = eventAt(n);
        r = {n * 7 - 1000, (uint8_t)(state >> 24), (int32_t)state, (int32_t)(state >> 8) - 70000};
    }
    eventCount = kBufferCapacity;
}

}  // namespace

// The name box of the real program, answered with the fixed name and no window.
bool inputBox(const std::string&, const std::string&, const std::string&, std::string& text) {
    text = kScriptName;
    return true;
}

int main(int argc, char** argv) {
    std::string results;
    int repeats = 15;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string arg = argv[i];
        if (arg == "--results") results = argv[i + 1];
        if (arg == "--repeats") repeats = std::atoi(argv[i + 1]);
    }
    if (results.empty() || !openResults(results) || !createSharedState()) return 2;
    fillBuffer();
    std::vector<EventRecord> saved(EventBuffer + 1, EventBuffer + 1 + kBufferCapacity);
    const std::string path = scriptsDir() + "\\" + kScriptName + ".mrc";
    std::vector<double> saves, loads;
    for (int i = 0; i < repeats; ++i) {
        double start = nowMs();
        saveRecording();
        saves.push_back(nowMs() - start);
        eventCount = 0;
        start = nowMs();
        loadScript(path);
        loads.push_back(nowMs() - start);
        // Timing a load that lost records would mean nothing.
        if (eventCount != kBufferCapacity) {
            progress("storage: loaded " + std::to_string(eventCount) + " records of " + std::to_string(kBufferCapacity));
            return 1;
        }
        for (int32_t n = 1; n <= kBufferCapacity; ++n) {
            const EventRecord& a = saved[n - 1];
            const EventRecord& b = eventAt(n);
            if (a.time != b.time || a.kind != b.kind || a.p1 != b.p1 || a.p2 != b.p2) {
                progress("storage: record " + std::to_string(n) + " differs after load");
                return 1;
            }
        }
    }
    deleteFile(path);
    RemoveDirectoryA(scriptsDir().c_str());
    report("save_92000_median_ms", median(saves));
    report("save_92000_max_ms", largest(saves));
    report("load_92000_median_ms", median(loads));
    report("load_92000_max_ms", largest(loads));
    return 0;
}
