// Going through the full-buffer messages with Enter, as a user does, up to the name box.
#include "support/buffer_full.h"

#include "support/rec_dialogs.h"
#include "support/wait.h"

namespace rig {
namespace {

const char* const kCaption = "录制出错";
const char* const kText = "缓冲区已满，录制被迫中止。";

}  // namespace

HWND waitForFullBufferMessage(DWORD id, int timeoutMs) {
    return waitForMessageBox(id, kCaption, kText, timeoutMs);
}

HWND closeFullBufferMessages(DWORD id, int& closed, int timeoutMs, int maxMessages) {
    closed = 0;
    for (;;) {
        HWND nameBox = nullptr, message = nullptr;
        waitUntil([&] {
            nameBox = findInputBox(id, "保存脚本");
            message = nameBox ? nullptr : waitForFullBufferMessage(id, 0);
            return nameBox || message;
        }, timeoutMs);
        if (nameBox) return nameBox;
        if (!message || closed >= maxMessages || !confirm(message)) return nullptr;
        ++closed;
    }
}

}  // namespace rig
