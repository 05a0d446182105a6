// Playback timing fidelity: a seeded script played by velmora.exe into the target window, each
// message's arrival compared with its record's time; also the CPU share and memory while playing.
#include <windows.h>

#include <psapi.h>

#include <string>
#include <vector>

#include "bench_setup.h"
#include "input_tally.h"
#include "results.h"
#include "script_bytes.h"
#include "stats.h"
#include "support/input.h"
#include "support/wait.h"
#include "target_window.h"
#include "unix_process.h"
#include "velmora_ui.h"

namespace {

// Long enough for the program to step aside and the target to take the focus before the first record.
constexpr int kLeadInMs = 3000;

std::vector<TimedInput> meantInput(const std::vector<EventRecord>& script, const BenchSetup& setup) {
    std::vector<TimedInput> meant;
    for (const EventRecord& r : script) {
        uint64_t identity = r.kind == kKindMove ? moveIdentity(pixelOfNormalised(r.p1, setup.screenWidth),
                                                               pixelOfNormalised(r.p2, setup.screenHeight))
                                                : keyIdentity(r.kind, r.p1 == kTransitionDown);
        meant.push_back({identity, (double)r.time});
    }
    return meant;
}

// The input messages the script can cause, stamped in ms from `start`.
std::vector<TimedInput> seenInput(const std::vector<LoggedInput>& logged, int64_t start) {
    std::vector<TimedInput> seen;
    for (const LoggedInput& l : logged) {
        uint64_t identity;
        switch (l.message) {
            case WM_MOUSEMOVE: identity = moveIdentity(l.x, l.y); break;
            case WM_LBUTTONDOWN: identity = keyIdentity(1, true); break;
            case WM_LBUTTONUP: identity = keyIdentity(1, false); break;
            case WM_RBUTTONDOWN: identity = keyIdentity(2, true); break;
            case WM_RBUTTONUP: identity = keyIdentity(2, false); break;
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN: identity = keyIdentity(l.code, true); break;
            case WM_KEYUP:
            case WM_SYSKEYUP: identity = keyIdentity(l.code, false); break;
            default: identity = (uint64_t)l.message << 40 | 0xFF;  // anything else is extra
        }
        seen.push_back({identity, stampMs(start, l.stamp)});
    }
    return seen;
}

void reportLateness(const std::vector<TimedInput>& meant, const std::vector<TimedInput>& seen, const Matching& m) {
    std::vector<double> lateness;
    int first = -1;
    double drift = 0;
    for (int i = 0; i < (int)meant.size(); ++i) {
        int j = m.seenFor[i];
        if (j < 0) continue;
        if (first < 0) first = i;
        // Arrival offset from the first event, less the record's offset from the first record.
        double late = (seen[j].ms - seen[m.seenFor[first]].ms) - (meant[i].ms - meant[first].ms);
        lateness.push_back(late);
        drift = late;
    }
    report("playback_lateness_median_ms", median(lateness));
    report("playback_lateness_p95_ms", percentile(lateness, 95));
    report("playback_lateness_p99_ms", percentile(lateness, 99));
    report("playback_lateness_max_ms", largest(lateness));
    report("playback_drift_ms", drift);
    report("playback_lost", m.lost);
    report("playback_extra", m.extra);
    report("playback_out_of_order", m.outOfOrder);
}

}  // namespace

bool playbackBench(const BenchSetup& setup, int run) {
    std::vector<EventRecord> script =
        playbackScript(setup.seed + run, setup.target, setup.screenWidth, setup.screenHeight,
                       setup.quick ? 300 : 2000, setup.quick ? 8000 : 60000, kLeadInMs);
    progress("playback run " + std::to_string(run + 1) + ": " + std::to_string(script.size()) + " events over " +
             std::to_string(script.back().time - kLeadInMs) + " ms");
    Velmora v;
    std::string error;
    bool ready = openVelmora(v, error, {{"scripts\\bench.mrc", scriptBytes(script)}}) &&
                 setEditText(v, 编辑框_间隔时间, "0") && selectFirstScript(v);
    if (!ready) {
        progress("playback: cannot prepare the program: " + error);
        closeVelmora(v);
        return false;
    }
    int server = wineserverProcess();
    takeLoggedInput();
    int64_t cpuBefore = cpuNanoseconds(v.unixPid), serverBefore = cpuNanoseconds(server), start = stampNow();
    bool clicked = clickControl(v, 按钮_回放);
    // Keys go to the active window: once the program has stepped aside, the target takes the focus,
    // as the script's own opening click would.
    rig::waitUntil([&] { return IsIconic(v.window) != 0; }, 2000);
    rig::bringToFront(setup.targetWindow);
    bool finished = clicked && waitForText(v, 标签_当前次数, "执行完毕", script.back().time + 60000);
    int64_t cpuAfter = cpuNanoseconds(v.unixPid), serverAfter = cpuNanoseconds(server), end = stampNow();
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    bool measuredMemory = GetProcessMemoryInfo(v.program.process, &memory, sizeof memory);
    int64_t peakResident = peakResidentBytes(v.unixPid);
    std::vector<LoggedInput> logged = takeLoggedInput();
    closeVelmora(v);
    if (!finished) {
        progress("playback: the program did not finish playing");
        return false;
    }
    std::vector<TimedInput> meant = meantInput(script, setup), seen = seenInput(logged, start);
    Matching m = matchInOrder(meant, seen);
    showOddities(meant, seen, m);
    reportLateness(meant, seen, m);
    report("playback_events", (double)script.size());
    double wallMs = stampMs(start, end);
    report("playback_cpu_percent", (cpuAfter - cpuBefore) / 1e6 / wallMs * 100);
    report("playback_wineserver_cpu_percent", (serverAfter - serverBefore) / 1e6 / wallMs * 100);
    if (measuredMemory) report("peak_working_set_mib", memory.PeakWorkingSetSize / 1048576.0);
    if (peakResident > 0) report("peak_resident_mib", peakResident / 1048576.0);
    return true;
}
