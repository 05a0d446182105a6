// The polling recorder: every ~10 ms, a cursor change and every key transition become events.
#include "recording/recorder.h"

#include "app/state.h"
#include "host/host.h"
#include "host/text.h"
#include "recording/event_buffer.h"
#include "storage/script_library.h"

namespace {

constexpr int kF3 = 114;
constexpr int kPollSleepMs = 10;
constexpr int kHotKeyPeriodMs = 100;
constexpr int16_t kKeyIsDown = static_cast<int16_t>(0x8000);

// Keys already held when the recording started (typically the F2 that started it): their
// press happened before the recording, so neither it nor the release that follows is recorded.
bool heldAtStart[kKeyCount];

void prepareWindow() {
    enableControl(按钮_记录, false);
    enableControl(按钮_回放, false);
    enableControl(按钮_停止, true);
    if (isChecked(选择框_最小化)) setWindowPosition(kWindowMinimised);
    setTimerPeriod(时钟_热键, 0);
}

void forgetKeyStates() {
    for (int vk = 0; vk < kKeyCount; ++vk) {
        heldAtStart[vk] = (keyState(vk) & kKeyIsDown) != 0;
        KeyStateTable[vk + 1] = 0;
    }
}

int32_t normalise(int32_t pixel, int32_t extent) {
    if (extent == 0) fatalError("不能整除于零");
    return truncate(static_cast<double>(pixel) * 65535.0 / extent);
}

void pollCursor() {
    int32_t x = 0, y = 0;
    cursorPosition(x, y);
    if (x == lastCursor.x && y == lastCursor.y) return;
    lastCursor = {x, y};
    append(kKindMove, normalise(x, screenWidth), normalise(y, screenHeight));
}

// The upper block first, so side-specific keys (160 Shift left...) come before generic ones (16).
void pollKeys() {
    for (int vk = 146; vk < kKeyCount; ++vk) onKey(static_cast<uint8_t>(vk), keyState(vk));
    for (int vk = 0; vk < 146; ++vk) onKey(static_cast<uint8_t>(vk), keyState(vk));
}

void restoreWindow() {
    setTimerPeriod(时钟_热键, kHotKeyPeriodMs);
    enableControl(按钮_记录, true);
    enableControl(按钮_停止, false);
    setWindowPosition(kWindowNormal);
}

}  // namespace

void onKey(uint8_t vk, int32_t state) {
    int32_t& last = KeyStateTable[vk + 1];
    if (state == 0) {
        if (heldAtStart[vk])
            heldAtStart[vk] = false;
        else if (last != 0)
            append(vk, kTransitionUp, 0);
        last = 0;
        return;
    }
    if (vk == kF3) {
        stopRecording = true;
        return;
    }
    if (heldAtStart[vk]) return;
    if (last == 0) append(vk, kTransitionDown, 0);
    last = state;
}

void record() {
    prepareWindow();
    forgetKeyStates();
    screenWidth = primaryScreenWidth();
    screenHeight = primaryScreenHeight();
    eventCount = 0;
    startTick = tickCount();
    stopRecording = false;

    beginPreciseTiming();
    while (!stopRecording) {
        pollCursor();
        pollKeys();
        processMessages();
        sleepMs(kPollSleepMs);
    }
    endPreciseTiming();

    saveRecording();
    refreshList();
    restoreWindow();
}
