// Turns fuzzer bytes into a scripts folder on the simulated host: a few files with odd names and contents.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Input layout (missing bytes read as 0):
//   count byte: 1 + value % 4 files, each:
//     flags byte (kRawName, kLocked, kDeletedAfterListing, kDirectory, kRepeated)
//     name length byte (value % 48), then the name's bytes
//     with kRepeated: repeat u16 little-endian, the chunk is written 1 + value times
//     except for the last file: chunk length u16 little-endian, then the chunk's bytes
//   the last file's chunk is the rest of the input.
constexpr uint8_t kRawName = 0x01;              // the name as given, else name + ".mrc"
constexpr uint8_t kLocked = 0x02;               // open for writing elsewhere
constexpr uint8_t kDeletedAfterListing = 0x04;  // gone between listing and loading
constexpr uint8_t kDirectory = 0x08;            // a folder of that name, not a file
constexpr uint8_t kRepeated = 0x10;             // the chunk repeated, for files past the buffer's size

// A file is never made longer than 92001 records and a fragment.
constexpr size_t kMaxFileBytes = 92001 * 13 + 12;

struct FolderEntry {
    std::string path;  // full path in the simulated file system
    uint8_t flags;
};

// Lays out the folder described by `data` (the simulated host must be fresh) and returns what it made.
std::vector<FolderEntry> makeScriptsFolder(const uint8_t* data, size_t size);
