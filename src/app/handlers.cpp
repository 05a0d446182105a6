// The handlers behind the window's events: start-up, the F2/F4 hot-key timer, buttons, list, spinners.
#include "app/handlers.h"

#include "app/state.h"
#include "host/host.h"
#include "host/text.h"
#include "playback/player.h"
#include "recording/recorder.h"
#include "storage/script_library.h"

namespace {

constexpr int kF2 = 113;
constexpr int kF3 = 114;
constexpr int kF4 = 115;
constexpr int kHotKeyPeriodMs = 100;

// A hot key counts only when the user pressed it: a state that the running playback's own
// injections explain is queried (to clear its memory) and then passed over.
bool userPressed(int vk) {
    const int16_t state = keyState(vk);
    const bool scripted = scriptExplainsKeyState(vk, state);
    return state != 0 && !scripted;
}

// Steps the number in `edit` by one; stepping down stops at `lowest` (within a small tolerance).
void stepEditNumber(Control edit, bool up, double lowest) {
    double value = toNumber(controlText(edit));
    if (up)
        value += 1;
    else if (value - lowest > 0.0000001)
        value -= 1;
    else
        return;
    setControlText(edit, toText(value));
}

}  // namespace

void onWindowCreated() {
    capacityText = toText(kBufferCapacity);
    // Presses made while the program was starting are forgotten.
    keyState(kF2);
    keyState(kF3);
    keyState(kF4);
    setTimerPeriod(时钟_热键, kHotKeyPeriodMs);
    refreshList();
}

void onWindowDestroyed() { endProgram(0); }

void onHotKeyTick() {
    if (userPressed(kF2)) record();
    if (userPressed(kF4)) stopPlayback = true;
}

void onButtonClicked(Control button) {
    switch (button) {
        case 按钮_记录: record(); break;
        case 按钮_停止: stopRecording = true; break;
        case 按钮_回放: play(); break;
        case 按钮_删除: deleteSelected(); break;
        default: break;
    }
}

void onScriptSelected() {
    enableControl(按钮_回放, true);
    enableControl(按钮_删除, true);
}

void onSpinnerPressed(Control spinner, bool up) {
    if (spinner == 调节器_间隔时间) stepPause(up);
    if (spinner == 调节器_回放次数) stepPasses(up);
}

void stepPause(bool up) { stepEditNumber(编辑框_间隔时间, up, 0); }
void stepPasses(bool up) { stepEditNumber(编辑框_回放次数, up, 1); }
