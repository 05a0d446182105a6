// The scripts folder: listing, saving, loading and deleting scripts, the folder listing being the library.
#include "storage/script_library.h"

#include "app/state.h"
#include "host/host.h"
#include "host/text.h"
#include "recording/event_buffer.h"
#include "storage/script_file.h"

namespace {

constexpr size_t kScriptBytesCapacity = static_cast<size_t>(kBufferCapacity) * kRecordSize;
// One file image for every save and load, so neither allocates per event.
uint8_t scriptBytes[kScriptBytesCapacity];

// Its name can never match "*.mrc", so an interrupted save is not listed as a script.
const char* const kTemporaryName = "~velmora-save.tmp";

// Writes records 1..eventCount beside the script, then moves the file over it, so a failed
// save leaves an older script of that name intact. False when either step fails.
bool writeScript(const std::string& name) {
    size_t size = 0;
    for (int32_t n = 1; n <= eventCount; ++n) {
        encodeRecord(eventAt(n), scriptBytes, kScriptBytesCapacity, size);
        size += kRecordSize;
    }
    const std::string temporary = scriptsDir() + "\\" + kTemporaryName;
    if (writeWholeFile(temporary, scriptBytes, size) && replaceFile(temporary, scriptsDir() + "\\" + name + ".mrc"))
        return true;
    deleteFile(temporary);
    return false;
}

}  // namespace

std::string scriptsDir() { return runDirectory() + "\\scripts"; }

void saveRecording() {
    std::string offered = toText(now());
    std::string name;
    while (inputBox("请输入脚本文件名：", "保存脚本", offered, name)) {
        createDirectory(scriptsDir());
        if (writeScript(name)) return;
        messageBox("无法保存脚本文件“" + name + ".mrc”。", kMessageBoxError, "保存脚本");
        offered = name;
    }
}

void refreshList() {
    enableControl(按钮_回放, false);
    enableControl(按钮_删除, false);
    clearList(列表框_脚本);
    for (const std::string& file : listFiles(scriptsDir() + "\\*.mrc")) addListEntry(列表框_脚本, file);
}

void loadScript(const std::string& path) {
    eventCount = 0;
    size_t got = 0;
    if (!readFileHead(path, scriptBytes, kScriptBytesCapacity, got)) return;
    // A trailing fragment of less than a record is ignored; the capacity bounds the count.
    const int32_t records = static_cast<int32_t>(got / kRecordSize);
    for (int32_t n = 1; n <= records; ++n) {
        decodeRecord(scriptBytes, got, static_cast<size_t>(n - 1) * kRecordSize, eventAt(n));
        eventCount = n;
    }
}

void deleteSelected() {
    deleteFile(scriptsDir() + "\\" + listEntry(列表框_脚本, listSelection(列表框_脚本)));
    refreshList();
}
