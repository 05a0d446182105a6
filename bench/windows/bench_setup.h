// What every benchmark of the driver shares: the screen, the target window, the seed, the lengths.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "seeded_input.h"
#include "support/input_logger.h"

struct BenchSetup {
    int screenWidth, screenHeight;
    rig::InputLogger* target;  // the logging target window, left of the program's window
    Area targetArea;  // its client area on the screen
    uint32_t seed;
    bool quick;  // shorter runs, for trying the driver out; never for reported figures
};

// A program beside the driver, such as the minimal Win32 programs that serve as yardsticks.
std::wstring besideDriver(const std::wstring& name);

// Runs `run` (0-based) of each benchmark; false when it could not be carried out.
bool playbackBench(const BenchSetup& setup, int run);
bool recordingBench(const BenchSetup& setup, int run);
bool idleCostBench(const BenchSetup& setup, int run);
bool startupBench(const BenchSetup& setup, int run);
