// Process figures: GetProcessMemoryInfo, GetProcessHandleCount and GetGuiResources, with the sources Wine
// does have where it answers those with nothing (handle count 0, GUI resources not implemented).
#include "soak_measure.h"

#include <psapi.h>
#include <winternl.h>

#include <vector>

namespace {

// SystemExtendedHandleInformation's entries, as the system lays them out.
struct HandleEntry {
    ULONG_PTR object;
    ULONG_PTR processId;
    ULONG_PTR handle;
    ULONG access;
    USHORT creatorBackTrace;
    USHORT typeIndex;
    ULONG attributes;
    ULONG reserved;
};
constexpr int kSystemExtendedHandleInformation = 64;

// The process's entries in the system's handle table.
long handlesInSystemTable(DWORD id) {
    std::vector<char> table(1 << 20);
    for (int attempt = 0; attempt < 6; ++attempt) {
        ULONG needed = 0;
        NTSTATUS status = NtQuerySystemInformation((SYSTEM_INFORMATION_CLASS)kSystemExtendedHandleInformation,
                                                   table.data(), (ULONG)table.size(), &needed);
        if (status == 0) {
            ULONG_PTR count = *reinterpret_cast<ULONG_PTR*>(table.data());
            auto* entries = reinterpret_cast<HandleEntry*>(table.data() + 2 * sizeof(ULONG_PTR));
            long own = 0;
            for (ULONG_PTR i = 0; i < count; ++i) own += entries[i].processId == id;
            return own;
        }
        table.resize(table.size() * 4);
    }
    return -1;
}

// The GDI handle table a process keeps in shared memory, named by its PEB: 65536 entries of 24 bytes,
// each in use while its type byte (offset 14) is not zero.
constexpr size_t kPebGdiTableOffset = 0xF8;
constexpr size_t kGdiEntries = 0x10000, kGdiEntryBytes = 24, kGdiTypeOffset = 14;

long gdiObjectsInSharedTable(HANDLE process) {
    PROCESS_BASIC_INFORMATION basic = {};
    ULONG got = 0;
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, &got) != 0) return -1;
    void* table = nullptr;
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, (char*)basic.PebBaseAddress + kPebGdiTableOffset, &table, sizeof table, &read) ||
        !table)
        return -1;
    std::vector<unsigned char> entries(kGdiEntries * kGdiEntryBytes);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size(), &read) || read != entries.size()) return -1;
    long used = 0;
    for (size_t i = 0; i < kGdiEntries; ++i) used += entries[i * kGdiEntryBytes + kGdiTypeOffset] != 0;
    return used;
}

struct WindowCount {
    DWORD id;
    long count;
};

BOOL CALLBACK countChild(HWND, LPARAM data) {
    ++reinterpret_cast<WindowCount*>(data)->count;
    return TRUE;
}

BOOL CALLBACK countTopLevel(HWND window, LPARAM data) {
    auto* windows = reinterpret_cast<WindowCount*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == windows->id) {
        ++windows->count;
        EnumChildWindows(window, countChild, data);
    }
    return TRUE;
}

// Every window of the process, top-level and child: the USER objects that can be counted from outside.
long windowsOf(DWORD id) {
    WindowCount windows = {id, 0};
    EnumWindows(countTopLevel, reinterpret_cast<LPARAM>(&windows));
    return windows.count;
}

}  // namespace

ProcessFigures measureProcess(HANDLE process, DWORD id) {
    ProcessFigures figures;
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, &memory, sizeof memory)) {
        figures.workingSet = memory.WorkingSetSize;
        figures.peakWorkingSet = memory.PeakWorkingSetSize;
    }

    DWORD handles = 0;
    if (GetProcessHandleCount(process, &handles) && handles > 0) {
        figures.handles = (long)handles;
        figures.handlesFrom = "GetProcessHandleCount";
    } else {
        figures.handles = handlesInSystemTable(id);
        figures.handlesFrom = "system handle table (GetProcessHandleCount gave 0)";
    }

    SetLastError(0);
    DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
    if (gdi > 0 || GetLastError() == 0) {
        figures.gdiObjects = (long)gdi;
        figures.gdiFrom = "GetGuiResources";
    } else {
        figures.gdiFrom = "the process's GDI handle table (GetGuiResources: error " + std::to_string(GetLastError()) + ")";
        figures.gdiObjects = gdiObjectsInSharedTable(process);
    }

    SetLastError(0);
    DWORD user = GetGuiResources(process, GR_USEROBJECTS);
    if (user > 0 || GetLastError() == 0) {
        figures.userObjects = (long)user;
        figures.userFrom = "GetGuiResources";
    } else {
        figures.userFrom = "windows of the process only (GetGuiResources: error " + std::to_string(GetLastError()) + ")";
        figures.userObjects = windowsOf(id);
    }
    return figures;
}
