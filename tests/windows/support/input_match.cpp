// Ordered comparison of an input log with the expected input, and the lateness figures.
#include "support/input_match.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace rig {
namespace {

bool matches(const LoggedInput& got, const ExpectedInput& want, int tolerancePx) {
    if (got.code != want.code || got.transition != want.transition) return false;
    if (want.code != 0) return true;
    return std::abs(got.screen.x - want.screen.x) <= tolerancePx &&
           std::abs(got.screen.y - want.screen.y) <= tolerancePx;
}

bool isKeyRepeat(const LoggedInput& got) {
    bool keyDown = got.message == WM_KEYDOWN || got.message == WM_SYSKEYDOWN;
    return keyDown && (got.keyData & (1 << 30)) != 0;
}

// The log entries from a little before `from` to a little after `to`, one per line with their times.
std::string around(const std::vector<LoggedInput>& log, size_t from, size_t to) {
    std::string lines;
    size_t first = from >= 3 ? from - 3 : 0, last = std::min(log.size(), to + 3);
    for (size_t i = first; i < last; ++i) {
        char when[32];
        std::snprintf(when, sizeof when, " %.1f ms", i ? msBetween(log[0].at, log[i].at) : 0.0);
        lines += "\n  " + std::to_string(i) + ": " + describe(log[i]) + when;
    }
    return lines;
}

bool isInputEvent(const LoggedInput& got) {
    return got.code != 0 && !isKeyRepeat(got);
}

// Clicks and keys: the logged ones, in order, one for one. Returns the first expected index that did not
// arrive (or expected.size()), and says why in `problem`.
size_t matchClicksAndKeys(const std::vector<ExpectedInput>& expected, const std::vector<LoggedInput>& log,
                          std::vector<size_t>& at, std::string& problem) {
    size_t next = 0;
    for (size_t k = 0; k < expected.size(); ++k) {
        if (expected[k].code == 0) continue;
        size_t from = next;
        while (next < log.size() && !isInputEvent(log[next])) ++next;
        if (next < log.size() && matches(log[next], expected[k], 0)) {
            at[k] = next++;
            continue;
        }
        problem = "expected " + describe(expected[k]) + " (entry " + std::to_string(k) + ") but " +
                  (next < log.size() ? "log entry " + std::to_string(next) + " is " + describe(log[next])
                                     : std::string("the log ended")) +
                  "; the log there:" + around(log, from, next);
        return k;
    }
    return expected.size();
}

// The log index of the `count`-th click or key after entry `k` that arrived, or the log's end.
size_t clickOrKeyAfter(const std::vector<ExpectedInput>& expected, const std::vector<size_t>& at, size_t k,
                       int count, size_t logSize) {
    for (size_t j = k + 1; j < expected.size(); ++j) {
        if (expected[j].code == 0) continue;
        if (at[j] == kMissing) return logSize;
        if (--count == 0) return at[j];
    }
    return logSize;
}
}  // namespace

std::vector<ExpectedInput> expectedFrom(const std::vector<ScriptRecord>& events) {
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    std::vector<ExpectedInput> expected;
    for (const ScriptRecord& e : events) {
        if (e.kind == 3) continue;
        ExpectedInput input = {e.kind, e.p1 == 0 ? 0 : 2, {0, 0}, (double)e.time};
        if (e.kind == 0) input = {0, 0, {pixelOf(e.p1, width), pixelOf(e.p2, height)}, (double)e.time};
        expected.push_back(input);
    }
    return expected;
}

std::string describe(const ExpectedInput& input) {
    if (input.code == 0) return "move " + std::to_string(input.screen.x) + "," + std::to_string(input.screen.y);
    return std::to_string(input.code) + (input.transition == 0 ? " down" : " up");
}

InputMatch matchInOrder(const std::vector<ExpectedInput>& expected, const std::vector<LoggedInput>& log,
                        int tolerancePx) {
    InputMatch match;
    match.at.assign(expected.size(), kMissing);
    std::string clickProblem;
    size_t firstClickMissing = matchClicksAndKeys(expected, log, match.at, clickProblem);

    // Moves, in order among the moves, each before the second click or key after it.
    size_t next = 0;
    std::vector<size_t> pending;  // moves taken as merged until a later move arrives
    for (size_t k = 0; k < expected.size(); ++k) {
        if (expected[k].code != 0) continue;
        size_t bound = clickOrKeyAfter(expected, match.at, k, 2, log.size());
        size_t found = next;
        while (found < bound && !(log[found].code == 0 && matches(log[found], expected[k], tolerancePx))) ++found;
        if (found < bound) {
            match.at[k] = found;
            next = found + 1;
            match.merged += pending.size();
            pending.clear();
            if (found > clickOrKeyAfter(expected, match.at, k, 1, log.size())) ++match.displaced;
        } else if (k + 1 < expected.size() && expected[k + 1].code == 0) {
            match.at[k] = kMerged;
            pending.push_back(k);
        } else {
            // The moves taken as merged into this one did not arrive either.
            for (size_t j : pending) match.at[j] = kMissing;
            pending.clear();
        }
    }
    for (size_t j : pending) match.at[j] = kMissing;

    // A click lands where the move before it put the cursor.
    POINT place = {-1, -1};
    for (size_t k = 0; k < expected.size(); ++k) {
        const ExpectedInput& want = expected[k];
        if (want.code == 0) place = want.screen;
        bool click = want.code == 1 || want.code == 2 || want.code == 4;
        if (!click || match.at[k] == kMissing || place.x < 0) continue;
        const POINT& got = log[match.at[k]].screen;
        if (std::abs(got.x - place.x) > tolerancePx || std::abs(got.y - place.y) > tolerancePx) ++match.displaced;
    }

    while (match.matched < expected.size() && match.at[match.matched] != kMissing) ++match.matched;
    for (size_t k = 0; k < match.matched; ++k) {
        if (match.at[k] != kMerged) match.next = std::max(match.next, match.at[k] + 1);
    }
    if (match.matched < expected.size()) {
        size_t k = match.matched;
        match.problem = k == firstClickMissing ? clickProblem
                                               : "expected " + describe(expected[k]) + " (entry " + std::to_string(k) +
                                                     ") but it did not arrive; the log there:" +
                                                     around(log, match.next, match.next + 3);
    }
    return match;
}

std::vector<std::string> nonMovesFrom(const std::vector<LoggedInput>& log, size_t from) {
    std::vector<std::string> found;
    for (size_t i = from; i < log.size(); ++i) {
        if (log[i].code != 0) found.push_back(describe(log[i]));
    }
    return found;
}

Lateness latenessOf(const std::vector<ExpectedInput>& expected, const std::vector<LoggedInput>& log,
                    const InputMatch& match) {
    Lateness result;
    if (match.at.empty()) return result;
    std::vector<double> late;
    size_t first = 0;
    while (first < match.at.size() && match.at[first] == kMerged) ++first;
    for (size_t k = first; k < match.at.size() && k < expected.size(); ++k) {
        if (match.at[k] == kMerged) continue;
        double arrived = msBetween(log[match.at[first]].at, log[match.at[k]].at);
        late.push_back(arrived - (expected[k].timeMs - expected[first].timeMs));
    }
    if (late.empty()) return result;
    std::sort(late.begin(), late.end());
    result.count = late.size();
    result.medianMs = late[late.size() / 2];
    result.minMs = late.front();
    result.maxMs = late.back();
    return result;
}

}  // namespace rig
