// What a running process holds, measured from outside: working set, handles, GDI and USER objects.
// Where Wine leaves the usual call unimplemented, the figure comes from another source, which is named.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

struct ProcessFigures {
    size_t workingSet = 0;      // bytes
    size_t peakWorkingSet = 0;  // bytes
    long handles = -1;          // -1: not measurable
    long gdiObjects = -1;
    long userObjects = -1;
    std::string handlesFrom, gdiFrom, userFrom;  // which source gave each count
};

// `process` needs query and read access; `id` is its process ID.
ProcessFigures measureProcess(HANDLE process, DWORD id);
