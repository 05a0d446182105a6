// Cost at rest: one copy idle with its hot-key timer running, another recording with no input, and
// as Wine's own floor for each a minimal Win32 program with the same timer and one polling the same
// way, side by side over the same 30 s, each CPU share read from its own Unix process.
#include <string>

#include "bench_setup.h"
#include "clock.h"
#include "results.h"
#include "support/control_names.h"
#include "support/find.h"
#include "support/program.h"
#include "support/read.h"
#include "support/wait.h"
#include "unix_process.h"
#include "velmora_ui.h"

namespace {

struct CpuMark {
    int64_t idle, recording, ticking, polling, server, stamp;
};

struct Yardstick {
    rig::Program program;
    HWND window = nullptr;
    int unixPid = 0;
};

CpuMark markCpu(const Velmora& idle, const Velmora& recording, const Yardstick& ticking,
                const Yardstick& polling, int server) {
    return {cpuNanoseconds(idle.unixPid), cpuNanoseconds(recording.unixPid), cpuNanoseconds(ticking.unixPid),
            cpuNanoseconds(polling.unixPid), cpuNanoseconds(server), stampNow()};
}

// Starts the minimal program built as `name` and waits for its window; false when it did not show.
bool openYardstick(Yardstick& y, const std::wstring& name, std::string& error) {
    if (!rig::startCopy(besideDriver(name), y.program, error)) return false;
    y.window = rig::waitForTopLevel(y.program.id, "Minimal", 30000);
    if (y.window) y.unixPid = unixProcessOf(y.program.runDirectory + L"\\" + name);
    if (!y.unixPid) error = "no window or Unix process for a minimal program";
    return y.unixPid != 0;
}

void closeYardstick(Yardstick& y) {
    DWORD code = 0;
    if (y.window) rig::closeAndWait(y.window, y.program, 15000, code);
    rig::dispose(y.program);
}

}  // namespace

bool idleCostBench(const BenchSetup& setup, int run) {
    const int spanMs = setup.quick ? 5000 : 30000;
    progress("idle and quiet-recording run " + std::to_string(run + 1) + ": " + std::to_string(spanMs) + " ms");
    Velmora idle, recording;
    Yardstick ticking, polling;
    std::string error;
    // The recording is started with its button, not F2, which the idle copy's timer would also see.
    bool ready = openYardstick(ticking, L"ticking_program.exe", error) &&
                 openYardstick(polling, L"polling_program.exe", error) && openVelmora(idle, error) &&
                 openVelmora(recording, error) && startRecordingByButton(recording);
    int server = wineserverProcess();
    CpuMark before = markCpu(idle, recording, ticking, polling, server);
    // Nothing to wait for: the span is the measurement.
    if (ready) Sleep(spanMs);
    CpuMark after = markCpu(idle, recording, ticking, polling, server);
    bool stillRecording = ready && IsWindowEnabled(controlOf(recording, 按钮_停止)) != 0;
    // Which window was in front and where the idle copy's focus lay: a blinking caret costs too.
    HWND focus = rig::focusOf(idle.window);
    progress("    in front: " + rig::textOf(GetForegroundWindow()) + "; the idle copy's focus: " +
             (focus ? rig::classOf(focus) + " " + rig::controlName(GetDlgCtrlID(focus)) : std::string("none")));
    // Closing during a recording ends the program at once, saving nothing.
    closeVelmora(recording);
    closeVelmora(idle);
    closeYardstick(polling);
    closeYardstick(ticking);
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
    report("quiet_polling_program_cpu_percent", (after.polling - before.polling) / 1e6 / wallMs * 100);
    report("idle_and_quiet_recording_wineserver_cpu_percent", (after.server - before.server) / 1e6 / wallMs * 100);
    return true;
}
