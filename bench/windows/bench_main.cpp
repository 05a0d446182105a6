// velmora_bench.exe: measures velmora.exe (VELMORA_EXE) under Wine and appends its figures to a
// results file for bench/table.py.
//   velmora_bench.exe --results FILE [--runs N] [--seed S] [--only playback,recording,idle,startup] [--quick]
// --quick shortens every run for trying the driver out; its figures are not the benchmark's.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "bench_setup.h"
#include "results.h"
#include "support/find.h"
#include "support/read.h"
#include "support/input_logger.h"
#include "velmora_ui.h"

namespace {

struct Options {
    std::string results;
    int runs = 3;
    uint32_t seed = 1;
    std::string only = "playback,recording,idle,startup";
    bool quick = false;
};

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "--results" && hasValue)
            o.results = argv[++i];
        else if (arg == "--runs" && hasValue)
            o.runs = std::atoi(argv[++i]);
        else if (arg == "--seed" && hasValue)
            o.seed = (uint32_t)std::strtoul(argv[++i], nullptr, 10);
        else if (arg == "--only" && hasValue)
            o.only = argv[++i];
        else if (arg == "--quick")
            o.quick = true;
        else
            return false;
    }
    return !o.results.empty() && o.runs > 0;
}

bool wanted(const Options& o, const std::string& bench) {
    return ("," + o.only + ",").find("," + bench + ",") != std::string::npos;
}

// The target window goes left of where the program's window opens, the full height of the screen,
// and above every other window, so a minimised program's remains never cover it.
bool placeTarget(BenchSetup& setup, rig::InputLogger& target) {
    Velmora v;
    std::string error;
    bool opened = openVelmora(v, error);
    rig::Box box = opened ? rig::boxOnScreen(v.window) : rig::Box{};
    closeVelmora(v);
    if (!opened || box.x < 300) {
        progress(opened ? "the program's window leaves too little room on its left" : error);
        return false;
    }
    if (!rig::startInputLogger(target, {0, 0, box.x - 16, setup.screenHeight}, L"Velmora bench target")) return false;
    SetWindowPos(target.window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    rig::Box client = rig::clientOnScreen(target.window);
    setup.target = &target;
    setup.targetArea = {client.x, client.y, client.width, client.height};
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o) || !openResults(o.results)) {
        progress("usage: velmora_bench.exe --results FILE [--runs N] [--seed S] [--only LIST] [--quick]");
        return 2;
    }
    BenchSetup setup = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, {}, o.seed, o.quick};
    // The driver's own sleeps are short only with the fine timer resolution.
    timeBeginPeriod(1);
    rig::InputLogger target;
    if (!placeTarget(setup, target)) return 1;
    int failures = 0;
    for (int run = 0; run < o.runs; ++run) {
        if (wanted(o, "startup")) failures += !startupBench(setup, run);
        if (wanted(o, "idle")) failures += !idleCostBench(setup, run);
        if (wanted(o, "recording")) failures += !recordingBench(setup, run);
        if (wanted(o, "playback")) failures += !playbackBench(setup, run);
    }
    rig::stopInputLogger(target);
    timeEndPeriod(1);
    if (failures) progress(std::to_string(failures) + " benchmark runs could not be carried out");
    return failures ? 1 : 0;
}
