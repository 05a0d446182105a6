// Reading script files and decoding their records independently of the program's own code.
#include "support/rec_script.h"

namespace rig {
namespace {

constexpr size_t kRecordBytes = 13;

int32_t readInt32(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | (uint8_t)bytes[at + i];
    return (int32_t)value;
}

void writeInt32(std::string& bytes, int32_t value) {
    for (int i = 0; i < 4; ++i) bytes += (char)(((uint32_t)value >> (8 * i)) & 0xFF);
}

}  // namespace

bool readWholeFile(const std::wstring& path, std::string& bytes) {
    bytes.clear();
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    CloseHandle(file);
    return true;
}

bool fileExists(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool isDirectory(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::wstring> plainFilesMatching(const std::wstring& pattern) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

std::vector<ScriptRecord> decodeScript(const std::string& bytes) {
    std::vector<ScriptRecord> records;
    for (size_t at = 0; at + kRecordBytes <= bytes.size(); at += kRecordBytes) {
        records.push_back({readInt32(bytes, at), (uint8_t)bytes[at + 4], readInt32(bytes, at + 5),
                           readInt32(bytes, at + 9)});
    }
    return records;
}

std::string encodeRecord(const ScriptRecord& record) {
    std::string bytes;
    writeInt32(bytes, record.time);
    bytes += (char)(uint8_t)record.kind;
    writeInt32(bytes, record.p1);
    writeInt32(bytes, record.p2);
    return bytes;
}

std::string describe(const ScriptRecord& record) {
    return std::to_string(record.time) + " " + std::to_string(record.kind) + " " + std::to_string(record.p1) + " " +
           std::to_string(record.p2);
}

}  // namespace rig
