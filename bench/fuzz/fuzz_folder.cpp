// Lays out the simulated scripts folder that a fuzzer input describes.
#include "fuzz_folder.h"

#include <algorithm>

#include "host/sim/sim.h"
#include "storage/script_library.h"

namespace {

struct Reader {
    const uint8_t* data;
    size_t size;
    size_t at = 0;

    size_t left() const { return size - at; }
    uint8_t byte() { return at < size ? data[at++] : 0; }
    uint16_t u16() {
        const uint16_t low = byte();
        return static_cast<uint16_t>(low | (byte() << 8));
    }
    std::vector<uint8_t> take(size_t n) {
        n = std::min(n, left());
        std::vector<uint8_t> bytes(data + at, data + at + n);
        at += n;
        return bytes;
    }
};

std::vector<uint8_t> repeated(const std::vector<uint8_t>& chunk, size_t times) {
    std::vector<uint8_t> bytes;
    if (chunk.empty()) return bytes;
    times = std::min(times, kMaxFileBytes / chunk.size() + 1);
    bytes.reserve(chunk.size() * times);
    for (size_t i = 0; i < times; ++i) bytes.insert(bytes.end(), chunk.begin(), chunk.end());
    if (bytes.size() > kMaxFileBytes) bytes.resize(kMaxFileBytes);
    return bytes;
}

}  // namespace

std::vector<FolderEntry> makeScriptsFolder(const uint8_t* data, size_t size) {
    Reader in{data, size};
    sim::directories().insert(scriptsDir());
    const int count = 1 + in.byte() % 4;
    std::vector<FolderEntry> made;
    for (int i = 0; i < count; ++i) {
        const uint8_t flags = in.byte();
        const std::vector<uint8_t> nameBytes = in.take(in.byte() % 48);
        std::string name(nameBytes.begin(), nameBytes.end());
        if (!(flags & kRawName)) name += ".mrc";
        const size_t times = (flags & kRepeated) ? 1 + static_cast<size_t>(in.u16()) : 1;
        const bool last = i + 1 == count;
        const std::vector<uint8_t> chunk = in.take(last ? in.left() : in.u16());

        const std::string path = scriptsDir() + "\\" + name;
        if (flags & kDirectory) {
            sim::directories().insert(path);
        } else {
            sim::files()[path] = repeated(chunk, times);
        }
        if (flags & kLocked) sim::lockedPaths().insert(path);
        made.push_back({path, flags});
    }
    return made;
}
