// The simulated host: a virtual clock, scripted keys and cursor, and an in-memory model of the window.
#include "host/sim/sim.h"

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>

#include "app/handlers.h"
#include "host/host.h"

namespace {

// Virtual time runs on 64 bits so that scheduling survives a wrap of the 32-bit tick counter.
int64_t timeNow = 0;
uint32_t tickBase = 1000;
std::multimap<int64_t, std::function<void()>> scheduled;

struct Key {
    bool down = false;
    bool pressedSinceQuery = false;
};
Key keys[256];
int32_t cursorAtX = 0, cursorAtY = 0;
int32_t screenW = 1024, screenH = 768;

std::vector<sim::Injection> injected;

std::map<Control, sim::ControlState> controls;
std::map<Control, std::vector<std::string>> histories;
std::function<void(int)> exitHook;
std::vector<std::string> entries;
int selected = -1;
int32_t period = 0;
int64_t nextTickDue = 0;
int lastPosition = -1;
bool minimised = false;
int preciseDepth = 0;
int pumps = 0;

struct Message {
    int64_t due;
    std::function<void()> run;
};
std::deque<Message> messages;

std::deque<sim::InputBoxAnswer> answers;
std::vector<sim::InputBoxCall> inputCalls;
std::vector<sim::MessageBoxCall> messageCalls;

std::string runDir = "C:\\Velmora";
DateTime clockFace = {2011, 8, 8, 13, 2, 45};

int64_t timeOfTick(int32_t tick) {
    int32_t ahead = static_cast<int32_t>(static_cast<uint32_t>(tick) - (tickBase + static_cast<uint32_t>(timeNow)));
    return ahead < 0 ? timeNow : timeNow + ahead;
}

void runScheduledUntil(int64_t until) {
    while (!scheduled.empty() && scheduled.begin()->first <= until) {
        auto first = scheduled.begin();
        timeNow = first->first;
        std::function<void()> action = std::move(first->second);
        scheduled.erase(first);
        action();
    }
    timeNow = until;
}

void queueMessage(int32_t tick, std::function<void()> run) {
    messages.push_back({timeOfTick(tick), std::move(run)});
}

// Pops the first message whose moment has come; posted messages go before the timer.
bool dispatchOne() {
    for (auto it = messages.begin(); it != messages.end(); ++it) {
        if (it->due <= timeNow) {
            std::function<void()> run = std::move(it->run);
            messages.erase(it);
            run();
            return true;
        }
    }
    if (period > 0 && timeNow >= nextTickDue) {
        while (nextTickDue <= timeNow) nextTickDue += period;
        onHotKeyTick();
        return true;
    }
    return false;
}

void setInitialControls() {
    controls.clear();
    struct Initial {
        Control c;
        const char* text;
        bool enabled;
        bool checked;
    };
    static const Initial initial[] = {
        {按钮_记录, "录制(F2)", true, false},   {按钮_停止, "停止(F3)", false, false},
        {按钮_回放, "回放", false, false},      {按钮_删除, "删除", false, false},
        {编辑框_间隔时间, "3", true, false},    {编辑框_回放次数, "1", true, false},
        {选择框_最小化, "录制时最小化", true, true}, {选择框_回放, "回放时最小化", true, true},
        {标签_当前次数, "", true, false},       {标签_录制进程, "", true, false},
    };
    for (const Initial& i : initial) controls[i.c] = {i.text, i.enabled, i.checked};
}

}  // namespace

namespace sim {

void reset() {
    timeNow = 0;
    tickBase = 1000;
    scheduled.clear();
    for (Key& k : keys) k = Key();
    cursorAtX = cursorAtY = 0;
    screenW = 1024;
    screenH = 768;
    injected.clear();
    setInitialControls();
    histories.clear();
    exitHook = nullptr;
    entries.clear();
    selected = -1;
    period = 0;
    nextTickDue = 0;
    lastPosition = -1;
    minimised = false;
    preciseDepth = 0;
    pumps = 0;
    messages.clear();
    answers.clear();
    inputCalls.clear();
    messageCalls.clear();
    runDir = "C:\\Velmora";
    clockFace = {2011, 8, 8, 13, 2, 45};
    files().clear();
    directories().clear();
    unwritablePaths().clear();
    lockedPaths().clear();
}

int32_t tick() { return static_cast<int32_t>(tickBase + static_cast<uint32_t>(timeNow)); }
void setTick(int32_t t) { tickBase = static_cast<uint32_t>(t) - static_cast<uint32_t>(timeNow); }
void advance(int32_t ms) { runScheduledUntil(timeNow + (ms > 0 ? ms : 0)); }
void at(int32_t t, std::function<void()> action) { scheduled.emplace(timeOfTick(t), std::move(action)); }

void pressKey(int vk) {
    Key& k = keys[vk & 255];
    if (!k.down) k.pressedSinceQuery = true;
    k.down = true;
}
void releaseKey(int vk) { keys[vk & 255].down = false; }
void tapKey(int vk) { keys[vk & 255].pressedSinceQuery = true; }
bool isKeyDown(int vk) { return keys[vk & 255].down; }
void setCursor(int32_t x, int32_t y) {
    cursorAtX = x;
    cursorAtY = y;
}
void setScreen(int32_t width, int32_t height) {
    screenW = width;
    screenH = height;
}
int32_t cursorX() { return cursorAtX; }
int32_t cursorY() { return cursorAtY; }

const std::vector<Injection>& injections() { return injected; }
void clearInjections() { injected.clear(); }

ControlState& control(Control c) { return controls[c]; }
const std::vector<std::string>& textHistory(Control c) { return histories[c]; }
void onExit(std::function<void(int)> hook) { exitHook = std::move(hook); }
std::vector<std::string>& listEntries() { return entries; }
int selection() { return selected; }
int32_t timerPeriod() { return period; }
int windowPosition() { return lastPosition; }
bool windowMinimised() { return minimised; }
int preciseTimingDepth() { return preciseDepth; }

void click(Control button, int32_t t) {
    queueMessage(t, [button] {
        if (controls[button].enabled) onButtonClicked(button);
    });
}
void select(int index, int32_t t) {
    queueMessage(t, [index] {
        selected = index;
        onScriptSelected();
    });
}
void spin(Control spinner, bool up, int32_t t) {
    queueMessage(t, [spinner, up] { onSpinnerPressed(spinner, up); });
}
void closeWindow(int32_t t) {
    queueMessage(t, [] { onWindowDestroyed(); });
}
int messagePumps() { return pumps; }

void answerInputBox(InputBoxAnswer answer) { answers.push_back(std::move(answer)); }
void confirmInputBox(const std::string& text) {
    answerInputBox([text](const InputBoxCall&, std::string& typed) {
        typed = text;
        return true;
    });
}
void cancelInputBox() {
    answerInputBox([](const InputBoxCall&, std::string&) { return false; });
}
const std::vector<InputBoxCall>& inputBoxCalls() { return inputCalls; }
const std::vector<MessageBoxCall>& messageBoxCalls() { return messageCalls; }

void setRunDirectory(const std::string& dir) { runDir = dir; }
void setNow(int year, int month, int day, int hour, int minute, int second) {
    clockFace = {year, month, day, hour, minute, second};
}

}  // namespace sim

// ---- host.h over the simulation ----

int16_t keyState(int vk) {
    Key& k = keys[vk & 255];
    int16_t state = static_cast<int16_t>((k.down ? 0x8000 : 0) | (k.pressedSinceQuery ? 1 : 0));
    k.pressedSinceQuery = false;
    return state;
}
void cursorPosition(int32_t& x, int32_t& y) {
    x = cursorAtX;
    y = cursorAtY;
}
int32_t primaryScreenWidth() { return screenW; }
int32_t primaryScreenHeight() { return screenH; }
int32_t tickCount() { return sim::tick(); }

void injectMouse(uint32_t flags, int32_t dx, int32_t dy, uint32_t, uintptr_t) {
    injected.push_back({sim::tick(), true, flags, dx, dy, 0});
    if ((flags & kMouseMove) && (flags & kMouseAbsolute)) {
        cursorAtX = static_cast<int32_t>(static_cast<int64_t>(dx) * screenW / 65536);
        cursorAtY = static_cast<int32_t>(static_cast<int64_t>(dy) * screenH / 65536);
    }
    if (flags & kMouseLeftDown) sim::pressKey(1);
    if (flags & kMouseLeftUp) sim::releaseKey(1);
    if (flags & kMouseRightDown) sim::pressKey(2);
    if (flags & kMouseRightUp) sim::releaseKey(2);
    if (flags & kMouseMiddleDown) sim::pressKey(4);
    if (flags & kMouseMiddleUp) sim::releaseKey(4);
}
void injectKey(uint8_t vk, uint8_t, uint32_t flags, uintptr_t) {
    injected.push_back({sim::tick(), false, flags, 0, 0, vk});
    if (flags & kKeyRelease)
        sim::releaseKey(vk);
    else
        sim::pressKey(vk);
}

void sleepMs(int32_t ms) { sim::advance(ms); }
void processMessages() {
    ++pumps;
    while (dispatchOne()) {
    }
}
void beginPreciseTiming() { ++preciseDepth; }
void endPreciseTiming() { --preciseDepth; }
std::string runDirectory() { return runDir; }

void enableControl(Control c, bool enabled) { controls[c].enabled = enabled; }
void setControlText(Control c, const std::string& text) {
    controls[c].text = text;
    histories[c].push_back(text);
}
std::string controlText(Control c) { return controls[c].text; }
bool isChecked(Control c) { return controls[c].checked; }
void clearList(Control) {
    entries.clear();
    selected = -1;
}
void addListEntry(Control, const std::string& text) { entries.push_back(text); }
int listSelection(Control) { return selected; }
std::string listEntry(Control, int index) {
    if (index < 0 || index >= static_cast<int>(entries.size())) return std::string();
    return entries[index];
}
void setTimerPeriod(Control, int32_t ms) {
    if (ms <= 0) {
        period = 0;
    } else if (ms != period) {
        period = ms;
        nextTickDue = timeNow + ms;
    }
}
void setWindowPosition(int setting) {
    lastPosition = setting;
    minimised = setting == kWindowMinimised;
}

bool inputBox(const std::string& prompt, const std::string& title, const std::string& initialText,
              std::string& text) {
    sim::InputBoxCall call = {prompt, title, initialText, sim::tick()};
    inputCalls.push_back(call);
    text = initialText;
    if (answers.empty()) return true;
    sim::InputBoxAnswer answer = std::move(answers.front());
    answers.pop_front();
    return answer(call, text);
}
void messageBox(const std::string& text, int flags, const std::string& title) {
    messageCalls.push_back({text, flags, title});
}

DateTime now() { return clockFace; }

void exitProcess(int code) {
    if (exitHook) exitHook(code);
    std::fflush(nullptr);
    std::_Exit(code);
}
void fatalError(const std::string& message) {
    std::fprintf(stderr, "fatal: %s\n", message.c_str());
    exitProcess(-1);
}
