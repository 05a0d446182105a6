// probe.exe: prints the probe report of a Velmora window.
//   probe.exe [--desktop NAME] [--wait SECONDS] [--close]
//       reports the Velmora window on the screen (of the named Wine desktop), waiting for it to show
//       and paint; with --close then closes it and waits until it is gone
//   probe.exe PROGRAM
//       starts a private copy of PROGRAM, reports its window, closes it
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/find.h"
#include "support/probe.h"
#include "support/program.h"
#include "support/read.h"
#include "support/utf8.h"
#include "support/wait.h"

namespace {

BOOL CALLBACK findAnyVelmora(HWND window, LPARAM found) {
    if (!IsWindowVisible(window) || rig::textOf(window) != "Velmora") return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// Windows of another desktop are seen only from a thread attached to it.
bool attachToDesktop(const std::string& name) {
    HDESK desktop = OpenDesktopW(rig::toWide(name).c_str(), 0, FALSE, GENERIC_ALL);
    return desktop && SetThreadDesktop(desktop);
}

int reportShown(const std::string& desktop, int waitSeconds, bool close) {
    HWND window = nullptr;
    // The desktop itself may not exist yet when the program is still starting.
    bool attached = desktop.empty();
    rig::waitUntil(
        [&] {
            if (!attached) attached = attachToDesktop(desktop);
            if (attached) EnumWindows(findAnyVelmora, reinterpret_cast<LPARAM>(&window));
            return window != nullptr;
        },
        waitSeconds * 1000);
    if (!window) {
        std::fprintf(stderr, attached ? "no visible window titled Velmora\n" : "no desktop %s\n", desktop.c_str());
        return 1;
    }
    // Paints what is still unpainted now, so that a screenshot taken next shows the whole window.
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    std::fputs(rig::probeReport(window).c_str(), stdout);
    std::fflush(stdout);
    if (!close) return 0;
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (rig::waitUntil([&] { return !IsWindow(window); })) return 0;
    std::fputs("the window is still there after WM_CLOSE\n", stderr);
    return 1;
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
    std::string desktop;
    int waitSeconds = 0;
    bool close = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--desktop" && i + 1 < argc) {
            desktop = argv[++i];
        } else if (arg == "--wait" && i + 1 < argc) {
            waitSeconds = std::atoi(argv[++i]);
        } else if (arg == "--close") {
            close = true;
        } else {
            return reportCopyOf(arg);
        }
    }
    return reportShown(desktop, waitSeconds, close);
}
