// Recording fidelity: a seeded schedule injected from this process while velmora.exe records,
// compared with the script it saves; then a steadily moving cursor gives the poll period.
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "bench_setup.h"
#include "clock.h"
#include "input_tally.h"
#include "results.h"
#include "stats.h"
#include "support/input.h"
#include "support/input_logger.h"
#include "support/rec_script.h"
#include "support/script_events.h"
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

// A move every millisecond along one row: every poll of the recorder sees a new position, and
// which one it saw tells when it polled, by this process's clock.
struct SteadyMoves {
    int left, span, row;
    std::vector<double> movedAt;  // ms from the start, per move
    int xOf(int k) const { return left + k % span; }
};

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

// The recorder's own scale: pixel times 65535 over the screen size, truncated.
int32_t recordedScale(int pixel, int extent) {
    return (int32_t)((double)pixel * 65535.0 / extent);
}

// The three most delayed events on the progress output, to see what kind they are.
void showLatest(const std::vector<TimedInput>& meant, const std::vector<double>& delays, const std::vector<int>& of) {
    std::vector<int> order(delays.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = (int)i;
    std::sort(order.begin(), order.end(), [&](int a, int b) { return delays[a] > delays[b]; });
    for (size_t n = 0; n < order.size() && n < 3; ++n) {
        const TimedInput& e = meant[of[order[n]]];
        progress("    delayed " + std::to_string((int)delays[order[n]]) + " ms: " + describe(e.identity) + " sent at " +
                 std::to_string((int)e.ms) + " ms");
    }
}

// How soon the target window itself got the scheduled keys and clicks: when the recorder sees them
// much later than that, the delay is in how their state reaches it, not in their delivery.
void showTargetDelays(const std::vector<ScheduledInput>& schedule, const std::vector<double>& sent,
                      const std::vector<rig::LoggedInput>& logged, int64_t start) {
    std::vector<TimedInput> meant, got;
    for (size_t i = 0; i < schedule.size(); ++i) {
        if (schedule[i].kind != 0) meant.push_back({keyIdentity(schedule[i].kind, schedule[i].down), sent[i]});
    }
    for (const rig::LoggedInput& l : logged) {
        if (l.code > 0) got.push_back({keyIdentity(l.code, l.transition == rig::kDown), stampMs(start, l.at)});
    }
    Matching m = matchInOrder(meant, got);
    std::vector<double> keys, clicks;
    for (size_t i = 0; i < meant.size(); ++i) {
        if (m.seenFor[i] < 0) continue;
        bool click = (meant[i].identity >> 8) == 1;
        (click ? clicks : keys).push_back(got[m.seenFor[i]].ms - meant[i].ms);
    }
    progress("    the target window got keys after " + std::to_string(median(keys)) + " ms (median), " +
             std::to_string(largest(keys)) + " ms (max); clicks after " + std::to_string(median(clicks)) +
             " ms (median), " + std::to_string(largest(clicks)) + " ms (max); " + std::to_string(m.lost) +
             " not at all");
}

// The poll period twice: from the recorder's own time stamps, and from which steady move each poll
// saw (the first move after the previous poll's with that pixel), timed by this process's clock.
void reportPollPeriods(const SteadyMoves& steady, const std::vector<rig::ScriptRecord>& polls, int screenWidth) {
    std::vector<double> byStamps, byMoves;
    int k = -1;
    double previousAt = -1;
    for (size_t i = 0; i < polls.size(); ++i) {
        if (i > 0) byStamps.push_back(polls[i].time - polls[i - 1].time);
        int next = k + 1;
        while (next < (int)steady.movedAt.size() && recordedScale(steady.xOf(next), screenWidth) != polls[i].p1) ++next;
        if (next == (int)steady.movedAt.size()) continue;
        k = next;
        if (previousAt >= 0) byMoves.push_back(steady.movedAt[k] - previousAt);
        previousAt = steady.movedAt[k];
    }
    report("recording_poll_median_ms", median(byMoves));
    report("recording_poll_p95_ms", percentile(byMoves, 95));
    report("recording_poll_stamps_median_ms", median(byStamps));
    report("recording_poll_stamps_p95_ms", percentile(byStamps, 95));
}

void compare(const std::vector<ScheduledInput>& schedule, const std::vector<double>& sent, const SteadyMoves& steady,
             const std::vector<rig::ScriptRecord>& recorded, const BenchSetup& setup) {
    const int32_t pollRowScale = recordedScale(steady.row, setup.screenHeight);
    std::vector<TimedInput> meant, seen;
    for (size_t i = 0; i < schedule.size(); ++i) {
        const ScheduledInput& s = schedule[i];
        uint64_t identity = s.kind == 0 ? moveIdentity(recordedScale(s.x, setup.screenWidth),
                                                               recordedScale(s.y, setup.screenHeight))
                                                : keyIdentity(s.kind, s.down);
        meant.push_back({identity, sent[i]});
    }
    std::set<uint64_t> scheduled;
    for (const TimedInput& t : meant) scheduled.insert(t.identity);
    std::vector<rig::ScriptRecord> polls;
    for (size_t i = 0; i < recorded.size(); ++i) {
        const rig::ScriptRecord& r = recorded[i];
        if (r.kind == 0 && r.p2 == pollRowScale) {
            polls.push_back(r);
            continue;
        }
        uint64_t identity = r.kind == 0 ? moveIdentity(r.p1, r.p2) : keyIdentity(r.kind, r.p1 == rig::kDown);
        // The cursor's resting place when the recording began is where it starts, not an input.
        // Moves before the first scheduled input are where the cursor stood as the recording began
        // (another process's cursor reaches the recorder some ms late, so there can be two).
        if (seen.empty() && r.kind == 0 && !scheduled.count(identity)) {
            progress("    start position: " + describe(identity) + " at " + std::to_string(r.time) + " ms");
            continue;
        }
        seen.push_back({identity, (double)r.time});
    }
    Matching m = matchInOrder(meant, seen);
    showOddities(meant, seen, m);
    std::vector<double> delays;
    std::vector<int> delayed;  // the meant event of each delay
    for (size_t i = 0; i < meant.size(); ++i) {
        if (m.seenFor[i] < 0) continue;
        delays.push_back(seen[m.seenFor[i]].ms - meant[i].ms);
        delayed.push_back((int)i);
    }
    // The recording's zero is unknown here: the earliest-seen event sets it, so errors are delays.
    double zero = delays.empty() ? 0 : *std::min_element(delays.begin(), delays.end());
    for (double& d : delays) d -= zero;
    showLatest(meant, delays, delayed);
    // Moves and key or button changes apart: they reach the recorder by different queries.
    std::vector<double> moveDelays, keyDelays;
    for (size_t n = 0; n < delays.size(); ++n)
        ((meant[delayed[n]].identity & 0xFF) == 0 ? moveDelays : keyDelays).push_back(delays[n]);
    report("recording_events", (double)schedule.size());
    report("recording_lost", m.lost);
    report("recording_extra", m.extra);
    report("recording_reordered", m.outOfOrder);
    report("recording_time_error_median_ms", median(delays));
    report("recording_time_error_p95_ms", percentile(delays, 95));
    report("recording_time_error_max_ms", largest(delays));
    report("recording_time_error_moves_median_ms", median(moveDelays));
    report("recording_time_error_keys_median_ms", median(keyDelays));
    reportPollPeriods(steady, polls, setup.screenWidth);
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
    compare(schedule, sent, steady, rig::decodeScript(bytes), setup);
    double wallMs = stampMs(start, end);
    report("recording_cpu_percent", (cpuAfter - cpuBefore) / 1e6 / wallMs * 100);
    report("recording_wineserver_cpu_percent", (serverAfter - serverBefore) / 1e6 / wallMs * 100);
    return true;
}
