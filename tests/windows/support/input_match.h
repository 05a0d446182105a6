// What a target window should receive, in order, and how its input log compares with that.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "support/input_logger.h"
#include "support/script_events.h"

namespace rig {

struct ExpectedInput {
    int code;        // 0 move, 1 left, 2 right, 4 middle, else the virtual key
    int transition;  // 0 down, 2 up
    POINT screen;    // for moves: the pixel the cursor should reach
    double timeMs;   // when it is due, from the start of the script
};

// What playing `events` should deliver: moves as pixels of the primary screen; kind 3 injects nothing.
std::vector<ExpectedInput> expectedFrom(const std::vector<ScriptRecord>& events);
std::string describe(const ExpectedInput& input);

constexpr size_t kMerged = (size_t)-1;
constexpr size_t kMissing = (size_t)-2;

struct InputMatch {
    size_t matched = 0;      // leading expected entries accounted for (arrived, or merged moves)
    std::vector<size_t> at;  // log index of each expected entry, or kMerged / kMissing
    size_t merged = 0;       // moves merged into a later one
    size_t displaced = 0;    // moves that came after the click or key that follows them, and clicks
                             // away from the place of the move before them
    size_t next = 0;         // log index after the last entry accounted for
    std::string problem;     // the first entry not accounted for, with the log around it; empty if none
};

// Compares a target's log with what it should have received. Clicks and keys must arrive complete and
// in order, nothing else between them (key repeats aside). Moves must arrive in their order among the
// moves; moves that match nothing are passed over (Wine adds such moves). A move matches when both
// coordinates are within `tolerancePx`.
// Two artefacts of Wine are allowed for, and counted, because a player that falls behind (as under
// load) injects its overdue events at once: the system merges a queued move into the next one, so a
// move may be missing when the entry after it is a move that arrived; and the echo of an earlier
// pointer warp can put the cursor back for a moment, so a move may arrive just after the click or key
// that follows it (at the latest before the one after that), and a click may land where the move
// before it was. A player that orders or places events wrongly displaces them all, which a test
// bounds through `displaced`.
InputMatch matchInOrder(const std::vector<ExpectedInput>& expected, const std::vector<LoggedInput>& log,
                        int tolerancePx = 0);
// The entries from `from` on that are not moves, as described lines.
std::vector<std::string> nonMovesFrom(const std::vector<LoggedInput>& log, size_t from);

// How late each entry that arrived (merged moves left out) came relative to the first one, against the
// script's own times (over the first expected.size() entries of the match).
struct Lateness {
    double medianMs = 0, maxMs = 0, minMs = 0;
    size_t count = 0;
};
Lateness latenessOf(const std::vector<ExpectedInput>& expected, const std::vector<LoggedInput>& log,
                    const InputMatch& match);

}  // namespace rig
