// Starting a playback through the window's own controls, and reading the progress label.
#include "support/velmora_actions.h"

#include <cstdlib>

#include "app/controls.h"
#include "support/find.h"
#include "support/input.h"
#include "support/read.h"
#include "support/rec_actions.h"
#include "support/wait.h"

namespace rig {

bool bringToFrontToStay(HWND window) {
    constexpr int kStayMs = 300;
    return waitUntil([&] {
        if (GetForegroundWindow() != window) SetForegroundWindow(window);
        DWORD since = GetTickCount();
        while (GetForegroundWindow() == window) {
            if ((int)(GetTickCount() - since) >= kStayMs) return true;
            Sleep(kPollMs);
        }
        return false;
    });
}

bool startPlayback(HWND velmora, int entry, const std::string& passes, const std::string& pause,
                   InputLogger& target, std::string& failure) {
    HWND playButton = findControl(velmora, 按钮_回放);
    if (!clickListEntry(findControl(velmora, 列表框_脚本), entry)) {
        failure = "the script was not selected";
    } else if (!waitUntil([&] { return IsWindowEnabled(playButton) != 0; })) {
        failure = "selecting the script did not enable 回放";
    } else if (!retypeEditBox(findControl(velmora, 编辑框_回放次数), passes)) {
        failure = "the pass count was not typed";
    } else if (!retypeEditBox(findControl(velmora, 编辑框_间隔时间), pause)) {
        failure = "the pause was not typed";
    } else if (!bringToFrontToStay(target.window)) {
        failure = "the target did not come to the front";
    } else {
        clearLoggedInputs(target);
        if (clickButton(playButton)) return true;
        failure = "回放 was not clicked";
    }
    return false;
}

int progressCount(HWND label) {
    std::string text = textOf(label);
    size_t slash = text.find(" / ");
    if (slash == std::string::npos || slash == 0) return -1;
    return std::atoi(text.substr(0, slash).c_str());
}

}  // namespace rig
