// The player: loads the selected script and injects its records at their times, pass after pass.
#include "playback/player.h"

#include "app/state.h"
#include "host/host.h"
#include "host/text.h"
#include "recording/event_buffer.h"
#include "storage/script_library.h"

namespace {

constexpr int kWaitSleepMs = 3;

// Keys and buttons this playback pressed and has not released, in the order of pressing,
// so that an early stop or a script ending mid-press leaves nothing held down.
uint8_t heldOrder[kKeyCount];
int heldCount = 0;
// Presses injected since the hot-key timer last asked about the key.
bool pressedSinceAsked[kKeyCount];

bool isMouseButton(uint8_t code) { return code == 1 || code == 2 || code == 4; }

void noteTransition(uint8_t code, bool down) {
    if (down) pressedSinceAsked[code] = true;
    int at = 0;
    while (at < heldCount && heldOrder[at] != code) ++at;
    if (down && at == heldCount) heldOrder[heldCount++] = code;
    if (!down && at < heldCount) {
        for (int k = at; k + 1 < heldCount; ++k) heldOrder[k] = heldOrder[k + 1];
        --heldCount;
    }
}

void injectButton(uint8_t code, bool down) {
    uint32_t flags = 0;
    switch (code) {
        case 1: flags = down ? kMouseLeftDown : kMouseLeftUp; break;
        case 2: flags = down ? kMouseRightDown : kMouseRightUp; break;
        default: flags = down ? kMouseMiddleDown : kMouseMiddleUp; break;
    }
    injectMouse(flags, 0, 0, 0, 0);
    noteTransition(code, down);
}

void injectRecord(const EventRecord& r) {
    if (r.kind == kKindMove) {
        injectMouse(kMouseMove | kMouseAbsolute, r.p1, r.p2, 0, 0);
    } else if (isMouseButton(r.kind)) {
        injectButton(r.kind, r.p1 == kTransitionDown);
    } else if (r.kind != 3) {
        // The recorded transition is the keyboard flag itself: 0 press, 2 release.
        uint32_t flags = static_cast<uint32_t>(r.p1);
        injectKey(r.kind, 0, flags, 0);
        noteTransition(r.kind, (flags & kKeyRelease) == 0);
    }
}

void releaseHeld() {
    while (heldCount > 0) {
        uint8_t code = heldOrder[heldCount - 1];
        if (isMouseButton(code)) {
            injectButton(code, false);
        } else {
            injectKey(code, 0, kKeyRelease, 0);
            noteTransition(code, false);
        }
    }
}

// Elapsed time as the 32-bit modular difference, so a pass across the counter's wrap keeps its timing.
double msSincePassStart() {
    return static_cast<int32_t>(static_cast<uint32_t>(tickCount()) - static_cast<uint32_t>(startTick));
}

void waitForMoment(int32_t time) {
    while (!(msSincePassStart() - time > 0.0000001)) {
        processMessages();
        sleepMs(kWaitSleepMs);
    }
}

void playPass() {
    startTick = tickCount();
    const int32_t n = eventCount;
    for (int32_t j = 1; j <= n; ++j) {
        waitForMoment(eventAt(j).time);
        injectRecord(eventAt(j));
        setControlText(标签_录制进程, toText(j) + " / " + capacityText);
        processMessages();
        if (stopPlayback) return;
    }
}

int32_t pauseMs() {
    int32_t ms = truncate(toNumber(controlText(编辑框_间隔时间)) * 1000);
    return ms > 0 ? ms : 0;
}

}  // namespace

bool scriptExplainsKeyState(int vk, int16_t state) {
    const uint8_t code = static_cast<uint8_t>(vk);
    const bool pressedByScript = pressedSinceAsked[code];
    pressedSinceAsked[code] = false;
    for (int k = 0; k < heldCount; ++k)
        if (heldOrder[k] == code) return true;
    // Held down now, but not by the script: the user's.
    if (state & 0x8000) return false;
    return pressedByScript;
}

void play() {
    loadScript(scriptsDir() + "\\" + listEntry(列表框_脚本, listSelection(列表框_脚本)));
    if (isChecked(选择框_回放)) setWindowPosition(kWindowMinimised);
    enableControl(按钮_回放, false);
    enableControl(按钮_记录, false);
    stopPlayback = false;

    beginPreciseTiming();
    const int32_t passes = truncate(toNumber(controlText(编辑框_回放次数)));
    for (int64_t i = 1; i <= passes; ++i) {
        setControlText(标签_当前次数, toText(static_cast<int32_t>(i)) + " / " + controlText(编辑框_回放次数));
        playPass();
        if (stopPlayback) break;
        sleepMs(pauseMs());
    }
    releaseHeld();
    endPreciseTiming();

    setControlText(标签_当前次数, "执行完毕");
    enableControl(按钮_回放, true);
    enableControl(按钮_记录, true);
    setWindowPosition(kWindowNormal);
}
