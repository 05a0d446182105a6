// Recording fidelity: a seeded schedule injected from this process while velmora.exe records,
// compared with the script it saves; then a steadily moving cursor gives the poll period.
#include <algorithm>
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

constexpr int kSteadyMs = 3000;

// Sleeps until `ms` after `start`, the last stretch spinning, so inputs leave on time.
void waitUntilMs(int64_t start, double ms) {
    for (;;) {
        double left = ms - stampMs(start, stampNow());
        if (left <= 0) return;
        if (left > 2) Sleep(1);
    }
}

void inject(const ScheduledInput& s) {
    if (s.kind == kKindMove)
        rig::moveMouseTo(s.x, s.y);
    else if (s.kind == 1)
        s.down ? rig::leftDown() : rig::leftUp();
    else
        s.down ? rig::keyDown(s.kind) : rig::keyUp(s.kind);
}

// Injects the schedule; returns when each input was given, in ms from the schedule's start.
std::vector<double> injectSchedule(const std::vector<ScheduledInput>& schedule) {
    std::vector<double> sent;
    int64_t start = stampNow();
    for (const ScheduledInput& s : schedule) {
        waitUntilMs(start, s.atMs);
        // Stamped as the call begins: the input cannot take effect earlier.
        sent.push_back(stampMs(start, stampNow()));
        inject(s);
    }
    return sent;
}

// A move every millisecond along `row`: every poll of the recorder sees a new position.
void moveSteadily(const Area& area, int row) {
    int64_t start = stampNow();
    for (int k = 0; stampMs(start, stampNow()) < kSteadyMs; ++k) {
        rig::moveMouseTo(area.left + 30 + k % (area.width - 60), row);
        waitUntilMs(start, k + 1);
    }
}

// The recorder's own scale: pixel times 65535 over the screen size, truncated.
int32_t recordedScale(int pixel, int extent) {
    return (int32_t)((double)pixel * 65535.0 / extent);
}

void compare(const std::vector<ScheduledInput>& schedule, const std::vector<double>& sent,
             const std::vector<EventRecord>& recorded, const BenchSetup& setup, int pollRow, int homeX,
             int homeY) {
    const int32_t pollRowScale = recordedScale(pollRow, setup.screenHeight);
    const uint64_t home = moveIdentity(recordedScale(homeX, setup.screenWidth),
                                       recordedScale(homeY, setup.screenHeight));
    std::vector<TimedInput> meant, seen;
    for (size_t i = 0; i < schedule.size(); ++i) {
        const ScheduledInput& s = schedule[i];
        uint64_t identity = s.kind == kKindMove ? moveIdentity(recordedScale(s.x, setup.screenWidth),
                                                               recordedScale(s.y, setup.screenHeight))
                                                : keyIdentity(s.kind, s.down);
        meant.push_back({identity, sent[i]});
    }
    std::vector<double> steadyTimes;
    for (size_t i = 0; i < recorded.size(); ++i) {
        const EventRecord& r = recorded[i];
        if (r.kind == kKindMove && r.p2 == pollRowScale) {
            steadyTimes.push_back(r.time);
            continue;
        }
        uint64_t identity = r.kind == kKindMove ? moveIdentity(r.p1, r.p2) : keyIdentity(r.kind, r.p1 == 0);
        // The cursor's resting place when the recording began is where it starts, not an input.
        if (i == 0 && identity == home) continue;
        seen.push_back({identity, (double)r.time});
    }
    Matching m = matchInOrder(meant, seen);
    std::vector<double> delays;
    for (size_t i = 0; i < meant.size(); ++i) {
        if (m.seenFor[i] >= 0) delays.push_back(seen[m.seenFor[i]].ms - meant[i].ms);
    }
    // The recording's zero is unknown here: the earliest-seen event sets it, so errors are delays.
    double zero = delays.empty() ? 0 : *std::min_element(delays.begin(), delays.end());
    for (double& d : delays) d -= zero;
    report("recording_events", (double)schedule.size());
    report("recording_lost", m.lost);
    report("recording_extra", m.extra);
    report("recording_reordered", m.outOfOrder);
    report("recording_time_error_median_ms", median(delays));
    report("recording_time_error_p95_ms", percentile(delays, 95));
    report("recording_time_error_max_ms", largest(delays));
    std::vector<double> periods;
    for (size_t i = 1; i < steadyTimes.size(); ++i) periods.push_back(steadyTimes[i] - steadyTimes[i - 1]);
    report("recording_poll_median_ms", median(periods));
    report("recording_poll_p95_ms", percentile(periods, 95));
}

}  // namespace

bool recordingBench(const BenchSetup& setup, int run) {
    const Area& area = setup.target;
    std::vector<ScheduledInput> schedule =
        recordingSchedule(setup.seed + 1000 + run, area, setup.quick ? 200 : 1000, 15, 35);
    progress("recording run " + std::to_string(run + 1) + ": " + std::to_string(schedule.size()) +
             " inputs over " + std::to_string((int)schedule.back().atMs) + " ms");
    const int homeX = area.left + 4, homeY = area.top + 4, pollRow = area.top + area.height - 10;
    Velmora v;
    std::string error;
    if (!openVelmora(v, error)) {
        progress("recording: " + error);
        closeVelmora(v);
        return false;
    }
    rig::moveMouseTo(homeX, homeY);
    if (!startRecordingByHotKey(v)) {
        progress("recording: F2 did not start a recording");
        closeVelmora(v);
        return false;
    }
    // Typed letters land in the target window, not in whatever else might be in front.
    rig::bringToFront(setup.targetWindow);
    int server = wineserverProcess();
    int64_t cpuBefore = cpuNanoseconds(v.unixPid), serverBefore = cpuNanoseconds(server), start = stampNow();
    std::vector<double> sent = injectSchedule(schedule);
    moveSteadily(area, pollRow);
    int64_t cpuAfter = cpuNanoseconds(v.unixPid), serverAfter = cpuNanoseconds(server), end = stampNow();
    std::string bytes;
    bool saved = stopRecordingAndSave(v) && readSavedScript(v, bytes);
    closeVelmora(v);
    takeLoggedInput();
    if (!saved) {
        progress("recording: no script was saved");
        return false;
    }
    compare(schedule, sent, scriptRecords(bytes), setup, pollRow, homeX, homeY);
    double wallMs = stampMs(start, end);
    report("recording_cpu_percent", (cpuAfter - cpuBefore) / 1e6 / wallMs * 100);
    report("recording_wineserver_cpu_percent", (serverAfter - serverBefore) / 1e6 / wallMs * 100);
    return true;
}
