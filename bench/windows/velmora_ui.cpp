// The user's side of the program under test, through the test rig's real input and dialogs.
#include "velmora_ui.h"

#include "support/find.h"
#include "support/input.h"
#include "support/read.h"
#include "support/rec_actions.h"
#include "support/rec_dialogs.h"
#include "support/rec_script.h"
#include "support/velmora_actions.h"
#include "support/wait.h"
#include "unix_process.h"

namespace {
constexpr int kUiWaitMs = 15000;
}

bool openVelmora(Velmora& v, std::string& error, const std::vector<rig::PlacedFile>& files) {
    if (!rig::startVelmora(v.program, error, files)) return false;
    v.window = rig::waitForVelmora(v.program.id);
    if (!v.window) {
        error = "no Velmora window";
        return false;
    }
    v.unixPid = unixProcessOf(v.program.runDirectory + L"\\velmora.exe");
    if (!v.unixPid) {
        error = "cannot find the Unix process of velmora.exe";
        return false;
    }
    return true;
}

void closeVelmora(Velmora& v) {
    DWORD code = 0;
    if (v.window) rig::closeAndWait(v.window, v.program, kUiWaitMs, code);
    rig::dispose(v.program);
    v.window = nullptr;
}

HWND controlOf(const Velmora& v, Control id) {
    return rig::findControl(v.window, id);
}

bool waitForText(const Velmora& v, Control id, const std::string& text, int timeoutMs) {
    HWND control = controlOf(v, id);
    return control && rig::waitUntil([&] { return rig::textOf(control) == text; }, timeoutMs);
}

bool waitForEnabled(const Velmora& v, Control id, bool enabled, int timeoutMs) {
    HWND control = controlOf(v, id);
    return control && rig::waitUntil([&] { return (IsWindowEnabled(control) != 0) == enabled; }, timeoutMs);
}

bool startRecordingByHotKey(const Velmora& v) {
    rig::tapKey(VK_F2);
    return waitForEnabled(v, 按钮_停止, true, kUiWaitMs);
}

bool startRecordingByButton(const Velmora& v) {
    HWND stop = controlOf(v, 按钮_停止);
    return rig::bringToFrontToStay(v.window) &&
           rig::clickButtonUntil(controlOf(v, 按钮_记录), [&] { return IsWindowEnabled(stop) != 0; });
}

bool stopRecordingAndSave(const Velmora& v) {
    rig::tapKey(VK_F3);
    HWND box = rig::waitForInputBox(v.program.id, "保存脚本", kUiWaitMs);
    return box && rig::confirm(box) && waitForEnabled(v, 按钮_记录, true, kUiWaitMs);
}

bool readSavedScript(const Velmora& v, std::string& bytes) {
    std::wstring folder = v.program.runDirectory + L"\\scripts\\";
    std::vector<std::wstring> scripts = rig::plainFilesMatching(folder + L"*.mrc");
    return scripts.size() == 1 && rig::readWholeFile(folder + scripts[0], bytes);
}
