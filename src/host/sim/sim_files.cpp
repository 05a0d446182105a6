// The simulated file system: host file operations over in-memory files keyed by full path.
#include <algorithm>
#include <cctype>

#include "host/host.h"
#include "host/sim/sim.h"

namespace sim {

std::map<std::string, std::vector<uint8_t>>& files() {
    static std::map<std::string, std::vector<uint8_t>> all;
    return all;
}

std::set<std::string>& directories() {
    static std::set<std::string> all;
    return all;
}

std::set<std::string>& unwritablePaths() {
    static std::set<std::string> all;
    return all;
}

std::set<std::string>& lockedPaths() {
    static std::set<std::string> all;
    return all;
}

}  // namespace sim

namespace {

std::string parentOf(const std::string& path) {
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The program runs from its run directory, so it and its ancestors exist without being listed.
bool isDirectory(const std::string& path) {
    const std::string run = runDirectory();
    return sim::directories().count(path) > 0 || path == run || run.rfind(path + "\\", 0) == 0;
}

bool exists(const std::string& path) { return sim::files().count(path) > 0 || isDirectory(path); }

bool isLocked(const std::string& path) { return sim::lockedPaths().count(path) > 0; }

bool canWrite(const std::string& path) { return !isLocked(path) && sim::unwritablePaths().count(path) == 0; }

// File-name matching as Windows does it for the masks the program uses: "*suffix" or a whole name,
// ignoring the case of ASCII letters.
bool matchesMask(const std::string& name, const std::string& mask) {
    const auto sameLetter = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    const bool suffixOnly = !mask.empty() && mask[0] == '*';
    const std::string tail = suffixOnly ? mask.substr(1) : mask;
    if (name.size() < tail.size() || (!suffixOnly && name.size() != tail.size())) return false;
    return std::equal(tail.begin(), tail.end(), name.end() - static_cast<std::ptrdiff_t>(tail.size()), sameLetter);
}

}  // namespace

bool createDirectory(const std::string& path) {
    if (exists(path) || !isDirectory(parentOf(path)) || !canWrite(path)) return false;
    sim::directories().insert(path);
    return true;
}

bool deleteFile(const std::string& path) {
    if (isLocked(path)) return false;
    return sim::files().erase(path) > 0;
}

// An unwritable path behaves like a full disk: the file is created or truncated, then the write fails.
bool writeWholeFile(const std::string& path, const uint8_t* data, size_t size) {
    if (isLocked(path) || isDirectory(path) || !isDirectory(parentOf(path))) return false;
    std::vector<uint8_t>& file = sim::files()[path];
    file.clear();
    if (sim::unwritablePaths().count(path) > 0) return false;
    file.assign(data, data + size);
    return true;
}

bool replaceFile(const std::string& from, const std::string& to) {
    auto source = sim::files().find(from);
    if (source == sim::files().end() || isLocked(from) || !canWrite(to) || isDirectory(to) ||
        !isDirectory(parentOf(to)))
        return false;
    if (from == to) return true;
    std::vector<uint8_t> bytes = std::move(source->second);
    sim::files().erase(source);
    sim::files()[to] = std::move(bytes);
    return true;
}

bool readFileHead(const std::string& path, uint8_t* data, size_t capacity, size_t& got) {
    got = 0;
    const auto file = sim::files().find(path);
    if (file == sim::files().end() || isLocked(path)) return false;
    got = std::min(capacity, file->second.size());
    std::copy_n(file->second.begin(), got, data);
    return true;
}

// The map's order stands for the file system's enumeration order.
std::vector<std::string> listFiles(const std::string& pattern) {
    const std::string dir = parentOf(pattern);
    const std::string mask = nameOf(pattern);
    std::vector<std::string> names;
    for (const auto& [path, bytes] : sim::files()) {
        const std::string name = nameOf(path);
        if (parentOf(path) == dir && matchesMask(name, mask)) names.push_back(name);
    }
    return names;
}
