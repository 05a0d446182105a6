// Recording fidelity: a seeded schedule injected from this process while velmora.exe records, then
// a steadily moving cursor for the poll period; the saved script is compared in recording_analysis.
#include <string>
#include <vector>

#include "bench_setup.h"
#include "clock.h"
#include "recording_analysis.h"
#include "results.h"
#include "support/input.h"
#include "support/input_logger.h"
#include "support/rec_script.h"
#include "support/wait.h"
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
    if (s.kind == 0)
        rig::moveMouseTo(s.x, s.y);
    else if (s.kind == 1)
        s.down ? rig::leftDown() : rig::leftUp();
    else
        s.down ? rig::keyDown(s.kind) : rig::keyUp(s.kind);
}

// Injects the schedule from `start` on; returns when each input was given, in ms from `start`.
std::vector<double> injectSchedule(const std::vector<ScheduledInput>& schedule, int64_t start) {
    std::vector<double> sent;
    for (const ScheduledInput& s : schedule) {
        waitUntilMs(start, s.atMs);
        // Stamped as the call begins: the input cannot take effect earlier.
        sent.push_back(stampMs(start, stampNow()));
        inject(s);
    }
    return sent;
}

SteadyMoves moveSteadily(const Area& area, int row) {
    SteadyMoves steady = {area.left + 30, area.width - 60, row, {}};
    int64_t start = stampNow();
    for (int k = 0; stampMs(start, stampNow()) < kSteadyMs; ++k) {
        steady.movedAt.push_back(stampMs(start, stampNow()));
        rig::moveMouseTo(steady.xOf(k), row);
        waitUntilMs(start, k + 1);
    }
    return steady;
}

}  // namespace

bool recordingBench(const BenchSetup& setup, int run) {
    const Area& area = setup.targetArea;
    std::vector<ScheduledInput> schedule =
        recordingSchedule(setup.seed + 1000 + run, area, setup.quick ? 200 : 1000, 15, 35);
    progress("recording run " + std::to_string(run + 1) + ": " + std::to_string(schedule.size()) +
             " inputs over " + std::to_string((int)schedule.back().atMs) + " ms");
    const int homeX = area.left + 4, homeY = area.top + 4;
    Velmora v;
    std::string error;
    if (!openVelmora(v, error)) {
        progress("recording: " + error);
        closeVelmora(v);
        return false;
    }
    // Where the recording starts: the first poll takes the cursor's place as a move.
    rig::moveMouseTo(homeX, homeY);
    rig::waitUntil([&] {
        POINT at;
        return GetCursorPos(&at) && at.x == homeX && at.y == homeY;
    });
    if (!startRecordingByHotKey(v)) {
        progress("recording: F2 did not start a recording");
        closeVelmora(v);
        return false;
    }
    // Typed letters land in the target window, not in whatever else might be in front.
    rig::bringToFront(setup.target->window);
    int server = wineserverProcess();
    int64_t cpuBefore = cpuNanoseconds(v.unixPid), serverBefore = cpuNanoseconds(server), start = stampNow();
    rig::clearLoggedInputs(*setup.target);
    int64_t scheduleStart = stampNow();
    std::vector<double> sent = injectSchedule(schedule, scheduleStart);
    SteadyMoves steady = moveSteadily(area, area.top + area.height - 10);
    int64_t cpuAfter = cpuNanoseconds(v.unixPid), serverAfter = cpuNanoseconds(server), end = stampNow();
    std::string bytes;
    bool saved = stopRecordingAndSave(v) && readSavedScript(v, bytes);
    closeVelmora(v);
    showTargetDelays(schedule, sent, rig::loggedInputs(*setup.target), scheduleStart);
    rig::clearLoggedInputs(*setup.target);
    if (!saved) {
        progress("recording: no script was saved");
        return false;
    }
    compareRecording(schedule, sent, steady, rig::decodeScript(bytes), setup);
    double wallMs = stampMs(start, end);
    report("recording_cpu_percent", (cpuAfter - cpuBefore) / 1e6 / wallMs * 100);
    report("recording_wineserver_cpu_percent", (serverAfter - serverBefore) / 1e6 / wallMs * 100);
    return true;
}
