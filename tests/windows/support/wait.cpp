// Polling wait with a deadline.
#include "support/wait.h"

#include <windows.h>

namespace rig {

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if ((int)(GetTickCount() - start) >= timeoutMs) return condition();
        Sleep(kPollMs);
    }
}

}  // namespace rig
