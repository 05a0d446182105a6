// Long run of velmora.exe under Wine: a recording flooded until the buffer is full, then three passes of
// it without pause into a window of the run's own, with the program's memory, handles and GDI and USER
// objects sampled at the start of every pass; prints the figures and their growth between passes.
// Exit code 0 when the run went through and nothing grew between passes beyond noise.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/controls.h"
#include "soak_measure.h"
#include "support/buffer_full.h"
#include "support/find.h"
#include "support/input.h"
#include "support/key_flood.h"
#include "support/program.h"
#include "support/read.h"
#include "support/rec_actions.h"
#include "support/rec_dialogs.h"
#include "support/rec_script.h"
#include "support/input_logger.h"
#include "support/utf8.h"
#include "support/wait.h"

namespace {

constexpr int kUiWaitMs = 60000;
constexpr int kPasses = 3;

struct Sample {
    std::string when;
    DWORD at;  // tick count
    ProcessFigures figures;
    int injected;  // the progress label's count
};

struct Run {
    rig::Program program;
    rig::InputLogger target;  // a window of our own to take the keys
    HWND window = nullptr;
    std::vector<Sample> samples;
};

HWND control(const Run& run, Control id) {
    return rig::findControl(run.window, id);
}

bool enabled(const Run& run, Control id) {
    return IsWindowEnabled(control(run, id)) != 0;
}

void sample(Run& run, const std::string& when) {
    run.samples.push_back({when, GetTickCount(), measureProcess(run.program.process, run.program.id),
                           rig::countIn(control(run, 标签_录制进程))});
}

bool idleAgain(const Run& run) {
    return rig::waitUntil([&] { return enabled(run, 按钮_记录) && !IsIconic(run.window); }, kUiWaitMs);
}

// F2, the flood until the buffer is full, every full-buffer message, the offered name; the script's name.
bool recordFullBuffer(Run& run, std::string& entry, std::string& failure) {
    rig::holdKey(VK_F2, 150);
    if (!rig::waitUntil([&] { return enabled(run, 按钮_停止) && IsIconic(run.window); }, kUiWaitMs)) {
        failure = "F2 did not start a recording";
        return false;
    }
    rig::bringToFront(run.target.window);
    DWORD start = GetTickCount();
    rig::Flood flood = rig::floodUntil(control(run, 标签_录制进程), 92000, 30 * 60000);
    std::printf("recording: %d events in %.1f s\n", flood.count, (GetTickCount() - start) / 1000.0);
    int messages = 0;
    HWND nameBox = flood.count == 92000 ? rig::closeFullBufferMessages(run.program.id, messages, kUiWaitMs) : nullptr;
    if (!nameBox) {
        failure = "the buffer did not fill, or no name box followed its messages";
        return false;
    }
    entry = rig::textOf(rig::editFieldOf(nameBox)) + ".mrc";
    if (!rig::confirm(nameBox) || !idleAgain(run)) {
        failure = "the script was not saved";
        return false;
    }
    std::string bytes;
    rig::readWholeFile(run.program.runDirectory + L"\\scripts\\" + rig::toWide(entry), bytes);
    std::printf("script: %s, %zu bytes, after %d full-buffer messages\n", entry.c_str(), bytes.size(), messages);
    return true;
}

// Plays the script kPasses times with no pause, sampling as each pass starts and once it has finished.
bool playAndSample(Run& run, std::string& failure) {
    HWND list = control(run, 列表框_脚本);
    if (!rig::clickListEntry(list, 0) || !rig::waitUntil([&] { return enabled(run, 按钮_回放); }) ||
        !rig::retypeEditBox(control(run, 编辑框_回放次数), std::to_string(kPasses)) ||
        !rig::retypeEditBox(control(run, 编辑框_间隔时间), "0") || !rig::clickButton(control(run, 按钮_回放))) {
        failure = "the playback could not be started";
        return false;
    }
    HWND passLabel = control(run, 标签_当前次数);
    std::string seen;
    for (int pass = 1; pass <= kPasses; ++pass) {
        std::string wanted = std::to_string(pass) + " / " + std::to_string(kPasses);
        if (!rig::waitUntil([&] { return (seen = rig::textOf(passLabel)) == wanted; }, 30 * 60000)) {
            failure = "the label never read " + wanted + " (last \"" + seen + "\")";
            return false;
        }
        sample(run, "start of pass " + std::to_string(pass));
        if (pass == 1) rig::bringToFront(run.target.window);
    }
    if (!rig::waitUntil([&] { return rig::textOf(passLabel) == "执行完毕"; }, 30 * 60000)) {
        failure = "the playback did not finish";
        return false;
    }
    sample(run, "finished");
    return true;
}

void printSamples(const std::vector<Sample>& samples) {
    std::printf("\n%-22s %8s %12s %12s %8s %6s %6s %8s\n", "when", "time s", "working set", "peak", "handles", "GDI",
                "USER", "events");
    for (const Sample& s : samples) {
        std::printf("%-22s %8.1f %9zu KB %9zu KB %8ld %6ld %6ld %8d\n", s.when.c_str(),
                    (s.at - samples.front().at) / 1000.0, s.figures.workingSet / 1024,
                    s.figures.peakWorkingSet / 1024, s.figures.handles, s.figures.gdiObjects,
                    s.figures.userObjects, s.injected);
    }
    const ProcessFigures& f = samples.front().figures;
    std::printf("handles from %s\nGDI objects from %s\nUSER objects from %s\n", f.handlesFrom.c_str(),
                f.gdiFrom.c_str(), f.userFrom.c_str());
}

struct Growth {
    long long workingSetKb;
    long handles, gdi, user;
};

Growth growthBetween(const Sample& a, const Sample& b) {
    const ProcessFigures &x = a.figures, &y = b.figures;
    return {((long long)y.workingSet - (long long)x.workingSet) / 1024, y.handles - x.handles,
            y.gdiObjects - x.gdiObjects, y.userObjects - x.userObjects};
}

void printGrowth(const Sample& a, const Sample& b) {
    Growth g = growthBetween(a, b);
    std::printf("  %s -> %s: working set %+lld KB, handles %+ld, GDI %+ld, USER %+ld (%.1f s apart)\n",
                a.when.c_str(), b.when.c_str(), g.workingSetKb, g.handles, g.gdi, g.user, (b.at - a.at) / 1000.0);
}

// Growth from each pass's start to the next one's: the same work done again, so none is allowed beyond
// noise, taken as less than 1 MB of working set and not one handle, GDI or USER object. Also shown, for
// the record, the idle program after the recording against the idle program after the playback.
bool printGrowthBetweenPasses(const std::vector<Sample>& samples) {
    std::vector<const Sample*> passStarts;
    const Sample *idleBefore = nullptr, *idleAfter = nullptr;
    for (const Sample& s : samples) {
        if (s.when.rfind("start of pass", 0) == 0) passStarts.push_back(&s);
        if (s.when == "idle after recording") idleBefore = &s;
        if (s.when == "idle after playback") idleAfter = &s;
    }
    bool level = (int)passStarts.size() == kPasses;
    std::printf("\ngrowth between passes:\n");
    for (size_t i = 0; i + 1 < passStarts.size(); ++i) {
        printGrowth(*passStarts[i], *passStarts[i + 1]);
        Growth g = growthBetween(*passStarts[i], *passStarts[i + 1]);
        level = level && g.workingSetKb < 1024 && g.handles <= 0 && g.gdi <= 0 && g.user <= 0;
    }
    std::printf("growth between passes: %s\n", level ? "none beyond noise" : "FOUND");
    if (idleBefore && idleAfter) {
        std::printf("idle before and after the playback:\n");
        printGrowth(*idleBefore, *idleAfter);
    }
    return level;
}

int soak() {
    Run run;
    std::string failure;
    if (!rig::startInputLogger(run.target, {20, 20, 320, 320}, L"target") || !rig::startVelmora(run.program, failure) ||
        !(run.window = rig::waitForVelmora(run.program.id))) {
        std::printf("soak: could not start: %s\n", failure.c_str());
        return 2;
    }
    // Once the window has painted and waits for input, its first fonts and brushes exist.
    WaitForInputIdle(run.program.process, kUiWaitMs);
    sample(run, "idle after start");
    std::string entry;
    bool played = recordFullBuffer(run, entry, failure);
    if (played) sample(run, "idle after recording");
    played = played && playAndSample(run, failure);
    rig::releaseFloodKeys();
    if (played && idleAgain(run)) sample(run, "idle after playback");
    printSamples(run.samples);
    bool level = played && printGrowthBetweenPasses(run.samples);
    if (!played) std::printf("soak: FAILED: %s\n", failure.c_str());
    DWORD code = 1234;
    bool closed = rig::closeAndWait(run.window, run.program, kUiWaitMs, code);
    std::printf("closed: %s, exit code %lu\n", closed ? "yes" : "no", code);
    rig::dispose(run.program);
    rig::stopInputLogger(run.target);
    return played && level && closed && code == 0 ? 0 : 1;
}

}  // namespace

int main() {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    return soak();
}
