// Key floods through SendInput, paced by the recorder's own message processing.
#include "support/key_flood.h"

#include <cwchar>

namespace rig {
namespace {

void sendAll(bool down) {
    std::vector<INPUT> inputs;
    for (WORD vk : floodKeys()) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = (WORD)MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
}

}  // namespace

const std::vector<WORD>& floodKeys() {
    static const std::vector<WORD> keys = [] {
        std::vector<WORD> list;
        for (WORD vk = 'A'; vk <= 'Z'; ++vk) list.push_back(vk);
        for (WORD vk = '0'; vk <= '9'; ++vk) list.push_back(vk);
        for (WORD vk : {VK_F5, VK_F6, VK_F7, VK_F8, VK_F9, VK_F11, VK_F12}) list.push_back(vk);
        for (WORD vk = VK_NUMPAD0; vk <= VK_NUMPAD9; ++vk) list.push_back(vk);
        for (WORD vk : {VK_MULTIPLY, VK_ADD, VK_SUBTRACT, VK_DECIMAL, VK_DIVIDE}) list.push_back(vk);
        for (WORD vk = VK_F13; vk <= VK_F24; ++vk) list.push_back(vk);
        for (WORD vk = VK_PRIOR; vk <= VK_DOWN; ++vk) list.push_back(vk);  // page keys, End, Home, arrows
        for (WORD vk : {VK_INSERT, VK_DELETE}) list.push_back(vk);
        for (WORD vk : {VK_OEM_1, VK_OEM_PLUS, VK_OEM_COMMA, VK_OEM_MINUS, VK_OEM_PERIOD, VK_OEM_2, VK_OEM_3,
                        VK_OEM_4, VK_OEM_5, VK_OEM_6, VK_OEM_7})
            list.push_back(vk);
        return list;
    }();
    return keys;
}

int countIn(HWND progressLabel) {
    wchar_t text[64] = {};
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(progressLabel, WM_GETTEXT, 64, (LPARAM)text, SMTO_ABORTIFHUNG, 5000, &got) || got == 0)
        return -1;
    return (int)std::wcstol(text, nullptr, 10);
}

void releaseFloodKeys() {
    sendAll(false);
}

Flood floodUntil(HWND progressLabel, int count, int timeoutMs) {
    Flood flood;
    DWORD start = GetTickCount();
    bool down = false;
    flood.count = countIn(progressLabel);
    while (flood.count < count && (int)(GetTickCount() - start) < timeoutMs) {
        down = !down;
        sendAll(down);
        flood.cycles += down;
        // The count grows once a poll has seen the new states, so each poll sees one change of every
        // key. Reads are spaced: back-to-back ones would keep the recorder in its message processing.
        const int before = flood.count;
        do {
            Sleep(3);
            flood.count = countIn(progressLabel);
        } while (flood.count == before && (int)(GetTickCount() - start) < timeoutMs);
    }
    releaseFloodKeys();
    return flood;
}

}  // namespace rig
