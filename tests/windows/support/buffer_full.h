// The end of a recording that filled the event buffer, as a user goes through it: the full-buffer
// messages, then the name box.
#pragma once
#include <windows.h>

namespace rig {

// The message "缓冲区已满，录制被迫中止。" captioned "录制出错" of process `id`, waited for; null on timeout.
HWND waitForFullBufferMessage(DWORD id, int timeoutMs);
// Confirms every full-buffer message (one shows for each event the recorder still tries to add in its
// last poll) until the name box "保存脚本" shows, and returns that box; null when neither shows within
// `timeoutMs` or more than `maxMessages` come. `closed` counts the messages confirmed.
HWND closeFullBufferMessages(DWORD id, int& closed, int timeoutMs, int maxMessages = 400);

}  // namespace rig
