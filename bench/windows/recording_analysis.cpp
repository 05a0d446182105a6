// The recording's fidelity from the saved script, the schedule and the steady moves, all matched
// by identity and occurrence.
#include "recording_analysis.h"

#include <algorithm>
#include <set>
#include <string>

#include "clock.h"
#include "input_tally.h"
#include "results.h"
#include "stats.h"
#include "support/script_events.h"

namespace {

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

// The longest a key or button stayed down in the recording; the schedule's taps last 15 to 35 ms.
void showLongestPress(const std::vector<rig::ScriptRecord>& recorded) {
    int32_t downAt[256];
    for (int32_t& at : downAt) at = -1;
    int32_t longest = 0, longestAt = 0;
    int longestKey = 0;
    for (const rig::ScriptRecord& r : recorded) {
        if (r.kind <= 0 || r.kind > 255) continue;
        if (r.p1 == rig::kDown) {
            downAt[r.kind] = r.time;
        } else if (downAt[r.kind] >= 0 && r.time - downAt[r.kind] > longest) {
            longest = r.time - downAt[r.kind];
            longestKey = r.kind;
            longestAt = downAt[r.kind];
        }
    }
    progress("    longest press recorded: key " + std::to_string(longestKey) + " for " + std::to_string(longest) +
             " ms from " + std::to_string(longestAt) + " ms");
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

}  // namespace

void compareRecording(const std::vector<ScheduledInput>& schedule, const std::vector<double>& sent,
                      const SteadyMoves& steady, const std::vector<rig::ScriptRecord>& recorded,
                      const BenchSetup& setup) {
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
    showLongestPress(recorded);
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
