// The user's side of the program under test, through the test rig's real input.
#include "velmora_ui.h"

#include "support/find.h"
#include "support/input.h"
#include "support/read.h"
#include "support/utf8.h"
#include "support/wait.h"
#include "unix_process.h"
#include "whole_file.h"

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

bool setEditText(const Velmora& v, Control edit, const std::string& text) {
    HWND control = controlOf(v, edit);
    std::wstring wide = rig::toWide(text);
    return control && SendMessageW(control, WM_SETTEXT, 0, (LPARAM)wide.c_str()) && rig::textOf(control) == text;
}

bool clickControl(const Velmora& v, Control id) {
    HWND control = controlOf(v, id);
    return control && rig::bringToFront(v.window) && rig::clickMiddleOf(control);
}

bool selectFirstScript(const Velmora& v) {
    HWND list = controlOf(v, 列表框_脚本);
    if (!list || !rig::bringToFront(v.window)) return false;
    // The first entry's row is at the top of the list's client area.
    int rowHeight = (int)SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
    POINT at = {8, rowHeight / 2};
    ClientToScreen(list, &at);
    rig::moveMouseTo(at.x, at.y);
    if (!rig::waitUntil([&] {
            POINT now;
            return GetCursorPos(&now) && now.x == at.x && now.y == at.y;
        }))
        return false;
    rig::leftDown();
    rig::leftUp();
    return waitForEnabled(v, 按钮_回放, true, kUiWaitMs);
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

bool stopRecordingAndSave(const Velmora& v) {
    rig::tapKey(VK_F3);
    HWND box = rig::waitForDialog(v.program.id, "保存脚本", kUiWaitMs);
    if (!box || !rig::bringToFront(box)) return false;
    rig::tapKey(VK_RETURN);
    return waitForEnabled(v, 按钮_记录, true, kUiWaitMs);
}

bool readSavedScript(const Velmora& v, std::string& bytes) {
    WIN32_FIND_DATAW entry;
    std::wstring folder = v.program.runDirectory + L"\\scripts\\";
    HANDLE search = FindFirstFileW((folder + L"*.mrc").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    bytes = readWholeFile(folder + entry.cFileName);
    return true;
}
