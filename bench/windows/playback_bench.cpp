// Playback timing fidelity: a seeded script played by velmora.exe into the target window, each
// message's arrival compared with its record's time; also the CPU share and memory while playing.
#include <windows.h>

#include <psapi.h>

#include <string>
#include <vector>

#include "bench_setup.h"
#include "clock.h"
#include "input_tally.h"
#include "results.h"
#include "stats.h"
#include "support/input.h"
#include "support/script_events.h"
#include "support/velmora_actions.h"
#include "support/wait.h"
#include "unix_process.h"
#include "velmora_ui.h"

namespace {

// Long enough for the program to step aside and the target to take the focus before the first record.
constexpr int kLeadInMs = 3000;

std::vector<TimedInput> meantInput(const std::vector<rig::ScriptRecord>& script, const BenchSetup& setup) {
    std::vector<TimedInput> meant;
    for (const rig::ScriptRecord& r : script) {
        uint64_t identity = r.kind == 0 ? moveIdentity(rig::pixelOf(r.p1, setup.screenWidth),
                                                       rig::pixelOf(r.p2, setup.screenHeight))
                                        : keyIdentity(r.kind, r.p1 == rig::kDown);
        meant.push_back({identity, (double)r.time});
    }
    return meant;
}

// The input messages the target window got, stamped in ms from `start`.
std::vector<TimedInput> seenInput(const std::vector<rig::LoggedInput>& logged, int64_t start) {
    std::vector<TimedInput> seen;
    for (const rig::LoggedInput& l : logged) {
        uint64_t identity = l.code == 0   ? moveIdentity(l.screen.x, l.screen.y)
                            : l.code > 0 ? keyIdentity(l.code, l.transition == rig::kDown)
                                         : (uint64_t)l.message << 40 | 0xFF;  // anything else is extra
        seen.push_back({identity, stampMs(start, l.at)});
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
    // Every lateness is measured from the first event, so its own delay shows in all of them.
    progress("    the first event came " + std::to_string(-median(lateness)) +
             " ms later than the others' median, as measured from it");
    report("playback_lateness_median_ms", median(lateness));
    report("playback_lateness_p95_ms", percentile(lateness, 95));
    report("playback_lateness_p99_ms", percentile(lateness, 99));
    report("playback_lateness_max_ms", largest(lateness));
    report("playback_drift_ms", drift);
    report("playback_lost", m.lost);
    report("playback_extra", m.extra);
    report("playback_out_of_order", m.outOfOrder);
}

// During the lead-in, puts the cursor into the target window (clear of the script's pixels) and
// forgets that move, so the first record is not also the cursor's first entry into the window.
bool enterTarget(const BenchSetup& setup) {
    const int x = setup.targetArea.left + 2, y = setup.targetArea.top + 2;
    rig::moveMouseTo(x, y);
    bool entered = rig::waitUntil([&] {
        for (const rig::LoggedInput& l : rig::loggedInputs(*setup.target)) {
            if (l.code == 0 && l.screen.x == x && l.screen.y == y) return true;
        }
        return false;
    }, kLeadInMs / 2);
    rig::clearLoggedInputs(*setup.target);
    return entered;
}

}  // namespace

bool playbackBench(const BenchSetup& setup, int run) {
    std::vector<rig::ScriptRecord> script =
        playbackScript(setup.seed + run, setup.targetArea, setup.quick ? 300 : 2000, setup.quick ? 8000 : 60000,
                       kLeadInMs);
    progress("playback run " + std::to_string(run + 1) + ": " + std::to_string(script.size()) + " events over " +
             std::to_string(script.back().time - kLeadInMs) + " ms");
    Velmora v;
    std::string error;
    // One pass and no pause, so the end of the pass is the end of the playback.
    bool started = openVelmora(v, error, {{"scripts\\bench.mrc", rig::scriptBytes(script)}}) &&
                   rig::startPlayback(v.window, 0, "1", "0", *setup.target, error) && enterTarget(setup);
    int server = wineserverProcess();
    int64_t cpuBefore = cpuNanoseconds(v.unixPid), serverBefore = cpuNanoseconds(server), start = stampNow();
    bool finished = started && waitForText(v, 标签_当前次数, "执行完毕", script.back().time + 60000);
    int64_t cpuAfter = cpuNanoseconds(v.unixPid), serverAfter = cpuNanoseconds(server), end = stampNow();
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    bool measuredMemory = started && GetProcessMemoryInfo(v.program.process, &memory, sizeof memory);
    std::vector<rig::LoggedInput> logged = rig::loggedInputs(*setup.target);
    closeVelmora(v);
    if (!finished) {
        progress("playback: " + (started ? "the program did not finish playing" : error));
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
    return true;
}
