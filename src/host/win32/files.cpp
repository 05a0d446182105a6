// The file operations of the script library, on UTF-8 paths.
#include <windows.h>

#include "host/host.h"
#include "host/win32/utf.h"

bool createDirectory(const std::string& path) {
    return CreateDirectoryW(widen(path).c_str(), nullptr) != 0;
}

bool deleteFile(const std::string& path) {
    return DeleteFileW(widen(path).c_str()) != 0;
}

bool writeWholeFile(const std::string& path, const uint8_t* data, size_t size) {
    HANDLE file = CreateFileW(widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    while (ok && size > 0) {
        DWORD chunk = size > 0x40000000 ? 0x40000000 : (DWORD)size;
        DWORD written = 0;
        ok = WriteFile(file, data, chunk, &written, nullptr) && written == chunk;
        data += chunk;
        size -= chunk;
    }
    return CloseHandle(file) && ok;
}

bool replaceFile(const std::string& from, const std::string& to) {
    // A read-only script is never replaced: Windows refuses to move over one, Wine does not, so it is checked here.
    const std::wstring target = widen(to);
    DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    return MoveFileExW(widen(from).c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool readFileHead(const std::string& path, uint8_t* data, size_t capacity, size_t& got) {
    got = 0;
    // Sharing only for reading: a file still open for writing elsewhere is not read half-written.
    HANDLE file = CreateFileW(widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    while (got < capacity) {
        size_t left = capacity - got;
        DWORD chunk = left > 0x40000000 ? 0x40000000 : (DWORD)left;
        DWORD read = 0;
        if (!ReadFile(file, data + got, chunk, &read, nullptr) || read == 0) break;
        got += read;
    }
    CloseHandle(file);
    return true;
}

std::vector<std::string> listFiles(const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(widen(pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(narrow(found.cFileName));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}
