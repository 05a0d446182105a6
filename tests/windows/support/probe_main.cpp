// probe.exe: prints the probe report of a Velmora window.
//   probe.exe            reports the Velmora window already on the screen
//   probe.exe PROGRAM    starts a private copy of PROGRAM, reports its window, closes it
#include <cstdio>
#include <string>

#include "support/find.h"
#include "support/probe.h"
#include "support/program.h"
#include "support/read.h"

namespace {

BOOL CALLBACK findAnyVelmora(HWND window, LPARAM found) {
    if (!IsWindowVisible(window) || rig::textOf(window) != "Velmora") return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

int reportRunning() {
    HWND window = nullptr;
    EnumWindows(findAnyVelmora, reinterpret_cast<LPARAM>(&window));
    if (!window) {
        std::fputs("no visible window titled Velmora\n", stderr);
        return 1;
    }
    std::fputs(rig::probeReport(window).c_str(), stdout);
    return 0;
}

int reportCopyOf(const std::string& path) {
    rig::Program program;
    std::string error;
    if (!rig::startCopy(rig::windowsPath(path), program, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    HWND window = rig::waitForVelmora(program.id);
    int result = 1;
    if (window) {
        std::fputs(rig::probeReport(window).c_str(), stdout);
        DWORD code = 0;
        result = rig::closeAndWait(window, program, 10000, code) ? 0 : 1;
    } else {
        std::fputs("the Velmora window did not appear\n", stderr);
    }
    rig::dispose(program);
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    return argc > 1 ? reportCopyOf(argv[1]) : reportRunning();
}
