// Tick count, sleeping, the fine timer resolution for recording and playback, and the local time.
#include <windows.h>
#include <mmsystem.h>

#include "host/host.h"

namespace {
int preciseTimingDepth = 0;
}

int32_t tickCount() {
    return (int32_t)GetTickCount();
}

void sleepMs(int32_t ms) {
    Sleep(ms > 0 ? (DWORD)ms : 0);
}

// Only the outermost begin and end change the resolution, so nested uses stay balanced.
void beginPreciseTiming() {
    if (preciseTimingDepth++ == 0) timeBeginPeriod(1);
}

void endPreciseTiming() {
    if (preciseTimingDepth == 0) return;
    if (--preciseTimingDepth == 0) timeEndPeriod(1);
}

DateTime now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return DateTime{t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}
