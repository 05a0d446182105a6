// Script files as a test sees them on disk: whole-file reads and the 13-byte records decoded.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace rig {

struct ScriptRecord {
    int32_t time;
    int kind;
    int32_t p1, p2;
};

// The whole file at `path` into `bytes`; false when it cannot be opened (others may be writing it).
bool readWholeFile(const std::wstring& path, std::string& bytes);
bool fileExists(const std::wstring& path);
bool isDirectory(const std::wstring& path);
// The bare names of the plain files matching `pattern`, in the order the file system gives them.
std::vector<std::wstring> plainFilesMatching(const std::wstring& pattern);
// The records of a script file's bytes, little-endian, 13 bytes each; a trailing fragment is ignored.
std::vector<ScriptRecord> decodeScript(const std::string& bytes);
// One record as its 13 bytes.
std::string encodeRecord(const ScriptRecord& record);
// "time kind p1 p2", for failure messages.
std::string describe(const ScriptRecord& record);

}  // namespace rig
