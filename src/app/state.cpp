// The shared state's single definitions, its creation at start-up and its release at the end.
#include "app/state.h"

#include <cstdio>
#include <cstdlib>

#include "host/host.h"

EventRecord* EventBuffer = nullptr;
int32_t eventCount = 0;
int32_t* KeyStateTable = nullptr;
CursorPoint lastCursor = {0, 0};
int32_t screenWidth = 0;
int32_t screenHeight = 0;
int32_t startTick = 0;
bool stopRecording = false;
bool stopPlayback = false;
std::string capacityText;

static bool cleanedUp = false;

// calloc both zeroes and lets a failure be reported instead of thrown.
static void* allocateZeroed(size_t count, size_t size) {
    void* block = std::calloc(count, size);
    if (!block) {
        char message[64];
        std::snprintf(message, sizeof message, "分配 %d 字节内存失败!", static_cast<int>(count * size));
        fatalError(message);
    }
    return block;
}

bool createSharedState() {
    cleanUp();
    cleanedUp = false;
    KeyStateTable = static_cast<int32_t*>(allocateZeroed(kKeyCount + 1, sizeof(int32_t)));
    EventBuffer = static_cast<EventRecord*>(allocateZeroed(kBufferCapacity + 1, sizeof(EventRecord)));
    eventCount = 0;
    lastCursor = {0, 0};
    screenWidth = 0;
    screenHeight = 0;
    startTick = 0;
    stopRecording = false;
    stopPlayback = false;
    capacityText.clear();
    return KeyStateTable && EventBuffer;
}

void cleanUp() {
    if (cleanedUp) return;
    cleanedUp = true;
    std::free(EventBuffer);
    EventBuffer = nullptr;
    std::free(KeyStateTable);
    KeyStateTable = nullptr;
    std::string().swap(capacityText);
}

void endProgram(int code) {
    cleanUp();
    exitProcess(code);
}
