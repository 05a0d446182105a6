// Comparing what the recorder saved with what was injected: lost, extra, reordered, time errors,
// the poll period; and how soon the target window itself got the same input.
#pragma once
#include <cstdint>
#include <vector>

#include "bench_setup.h"
#include "support/input_logger.h"
#include "support/rec_script.h"

// A move every millisecond along one row: every poll of the recorder sees a new position, and
// which one it saw tells when it polled, by this process's clock.
struct SteadyMoves {
    int left, span, row;
    std::vector<double> movedAt;  // ms from the start, per move
    int xOf(int k) const { return left + k % span; }
};

// Reports the recording's fidelity figures for `recorded` (the saved script) against `schedule`,
// given when each input was `sent`, and the poll periods from the `steady` moves that followed.
void compareRecording(const std::vector<ScheduledInput>& schedule, const std::vector<double>& sent,
                      const SteadyMoves& steady, const std::vector<rig::ScriptRecord>& recorded,
                      const BenchSetup& setup);
// On the progress output: how soon the target window got the scheduled keys and clicks.
void showTargetDelays(const std::vector<ScheduledInput>& schedule, const std::vector<double>& sent,
                      const std::vector<rig::LoggedInput>& logged, int64_t start);
