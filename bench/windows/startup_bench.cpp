// Start-up: time from starting a copy to its window shown, velmora.exe against a minimal Win32
// program under the same Wine, started in turns so both meet the same conditions.
#include <string>
#include <vector>

#include "bench_setup.h"
#include "clock.h"
#include "results.h"
#include "stats.h"
#include "support/find.h"
#include "support/program.h"

namespace {

constexpr int kShowTimeoutMs = 30000;

// Milliseconds until the window titled `title` is visible, or -1.
double timeToWindow(const std::wstring& exe, const std::string& title) {
    rig::Program program;
    std::string error;
    int64_t start = stampNow();
    if (!rig::startCopy(exe, program, error)) {
        progress("start-up: " + error);
        return -1;
    }
    HWND shown = nullptr;
    // Finer than the rig's polling: the figure is the wait itself.
    while (!(shown = rig::findTopLevel(program.id, title)) && stampMs(start, stampNow()) < kShowTimeoutMs) Sleep(1);
    double ms = shown ? stampMs(start, stampNow()) : -1;
    DWORD code = 0;
    if (shown) rig::closeAndWait(shown, program, kShowTimeoutMs, code);
    rig::dispose(program);
    return ms;
}

}  // namespace

std::wstring besideDriver(const std::wstring& name) {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring own(path, length);
    return own.substr(0, own.find_last_of(L'\\') + 1) + name;
}

bool startupBench(const BenchSetup& setup, int run) {
    const int rounds = setup.quick ? 2 : 6;
    progress("start-up run " + std::to_string(run + 1) + ": " + std::to_string(rounds) + " starts of each");
    // One start of each first, not counted, so neither pays for a cold cache alone.
    if (run == 0) {
        timeToWindow(rig::velmoraPath(), "Velmora");
        timeToWindow(besideDriver(L"minimal_program.exe"), "Minimal");
    }
    std::vector<double> velmora, minimal;
    for (int i = 0; i < rounds; ++i) {
        double v = timeToWindow(rig::velmoraPath(), "Velmora"), m = timeToWindow(besideDriver(L"minimal_program.exe"), "Minimal");
        if (v < 0 || m < 0) return false;
        velmora.push_back(v);
        minimal.push_back(m);
    }
    report("startup_velmora_ms", median(velmora));
    report("startup_minimal_ms", median(minimal));
    report("startup_ratio", median(velmora) / median(minimal));
    return true;
}
