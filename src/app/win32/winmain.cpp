// The program's start: host set-up, shared state, the main window, then the message loop.
#include "app/win32/main_window.h"

#include <commctrl.h>

#include <cstdlib>

#include "app/handlers.h"
#include "app/state.h"
#include "host/host.h"
#include "host/win32/run_directory.h"

extern "C" int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX commonControls = {sizeof commonControls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&commonControls);
    bool classesReady = registerWindowClasses(instance);
    enterRunDirectory();
    if (!createSharedState()) exitProcess(-1);
    std::atexit(cleanUp);

    HWND window = classesReady ? createMainWindow(instance) : nullptr;
    if (!window) fatalError("载入启动窗口失败");
    onWindowCreated();
    ShowWindow(window, SW_SHOWNORMAL);
    focusFirstControl();
    return runMessageLoop();
}
