// QueryPerformanceCounter stamps, turned into milliseconds the way the input logger's are.
#include "clock.h"

#include <windows.h>

#include "support/input_logger.h"

int64_t stampNow() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double stampMs(int64_t from, int64_t to) {
    return rig::msBetween(from, to);
}
