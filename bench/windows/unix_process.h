// Linux's view of this Wine prefix's processes, read through drive Z:, for CPU time: Wine does not
// report the CPU times of other processes.
#pragma once
#include <cstdint>
#include <string>

// The Unix process whose command line names `windowsPath` (compared without case) and which runs
// in this process's Wine prefix; 0 when none is found.
int unixProcessOf(const std::wstring& windowsPath);
// This Wine prefix's wineserver; 0 when not found.
int wineserverProcess();
// CPU time spent by all threads of `pid` so far, in nanoseconds; -1 when unreadable.
int64_t cpuNanoseconds(int pid);
