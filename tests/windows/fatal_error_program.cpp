// Test-only program: fails at once through the host's fatal error, as when the main window cannot load.
#include <windows.h>

#include "host/host.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    fatalError("载入启动窗口失败");
}
