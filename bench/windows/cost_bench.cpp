// Cost at rest: one copy idle with its hot-key timer running, another recording with no input, and
// a minimal Win32 program with the same timer as Wine's own floor, side by side over the same 30 s,
// each CPU share read from its own Unix process.
#include <string>

#include "bench_setup.h"
#include "results.h"
#include "support/find.h"
#include "support/program.h"
#include "support/wait.h"
#include "target_window.h"
#include "unix_process.h"
#include "velmora_ui.h"

namespace {

struct CpuMark {
    int64_t idle, recording, ticking, server, stamp;
};

CpuMark markCpu(const Velmora& idle, const Velmora& recording, int ticking, int server) {
    return {cpuNanoseconds(idle.unixPid), cpuNanoseconds(recording.unixPid), cpuNanoseconds(ticking),
            cpuNanoseconds(server), stampNow()};
}

// Starts the ticking minimal program and waits for its window; its Unix process, or 0.
int openTicking(rig::Program& program, HWND& window, std::string& error) {
    if (!rig::startCopy(besideDriver(L"ticking_program.exe"), program, error)) return 0;
    window = rig::waitForTopLevel(program.id, "Minimal", 30000);
    return window ? unixProcessOf(program.runDirectory + L"\\ticking_program.exe") : 0;
}

}  // namespace

bool idleCostBench(const BenchSetup& setup, int run) {
    const int spanMs = setup.quick ? 5000 : 30000;
    progress("idle and quiet-recording run " + std::to_string(run + 1) + ": " + std::to_string(spanMs) + " ms");
    Velmora idle, recording;
    rig::Program tickingProgram;
    HWND tickingWindow = nullptr;
    std::string error;
    int ticking = openTicking(tickingProgram, tickingWindow, error);
    // The recording is started with its button, not F2, which the idle copy's timer would also see.
    bool ready = ticking && openVelmora(idle, error) && openVelmora(recording, error) &&
                 clickControl(recording, 按钮_记录) && waitForEnabled(recording, 按钮_停止, true, 15000);
    int server = wineserverProcess();
    CpuMark before = markCpu(idle, recording, ticking, server);
    // Nothing to wait for: the span is the measurement.
    if (ready) Sleep(spanMs);
    CpuMark after = markCpu(idle, recording, ticking, server);
    bool stillRecording = ready && IsWindowEnabled(controlOf(recording, 按钮_停止)) != 0;
    // Closing during a recording ends the program at once, saving nothing.
    closeVelmora(recording);
    closeVelmora(idle);
    DWORD code = 0;
    if (tickingWindow) rig::closeAndWait(tickingWindow, tickingProgram, 15000, code);
    rig::dispose(tickingProgram);
    if (!ready) {
        progress("idle cost: cannot prepare the programs: " + error);
        return false;
    }
    if (!stillRecording) {
        progress("idle cost: the recording ended early");
        return false;
    }
    double wallMs = stampMs(before.stamp, after.stamp);
    report("idle_cpu_percent", (after.idle - before.idle) / 1e6 / wallMs * 100);
    report("idle_ticking_program_cpu_percent", (after.ticking - before.ticking) / 1e6 / wallMs * 100);
    report("quiet_recording_cpu_percent", (after.recording - before.recording) / 1e6 / wallMs * 100);
    report("idle_and_quiet_recording_wineserver_cpu_percent", (after.server - before.server) / 1e6 / wallMs * 100);
    return true;
}
