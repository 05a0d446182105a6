// Fuzz target: list a scripts folder made from the input, load every entry, check it, and play it once.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/handlers.h"
#include "app/state.h"
#include "fuzz_folder.h"
#include "host/host.h"
#include "host/sim/sim.h"
#include "playback/player.h"
#include "recording/event_buffer.h"
#include "storage/script_library.h"

namespace {

constexpr size_t kBytesPerRecord = 13;
// Playback costs about one wait per 3 virtual ms plus one step per record, so both are kept small.
constexpr int32_t kPlayedRecordsLimit = 4096;
constexpr int32_t kTimeSpanMs = 10000;

// Ends the run on a broken rule, so that the fuzzer keeps the input as a crash.
void require(bool ok, const char* rule, const std::string& where) {
    if (ok) return;
    std::fprintf(stderr, "broken: %s (%s)\n", rule, where.c_str());
    std::abort();
}

int32_t readLe32(const uint8_t* p) {
    return static_cast<int32_t>(uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24);
}

void writeLe32(uint8_t* p, int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(bits >> (8 * i));
}

bool sameRecord(const EventRecord& a, const EventRecord& b) {
    return a.time == b.time && a.kind == b.kind && a.p1 == b.p1 && a.p2 == b.p2;
}

bool hasScriptExtension(const std::string& name) {
    if (name.size() < 4) return false;
    std::string tail = name.substr(name.size() - 4);
    for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".mrc";
}

// Plain files directly in the scripts folder named "*.mrc" (any case), in the folder's order.
std::vector<std::string> scriptFilesInFolder() {
    const std::string prefix = scriptsDir() + "\\";
    std::vector<std::string> names;
    for (const auto& [path, bytes] : sim::files()) {
        if (path.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string name = path.substr(prefix.size());
        if (name.find('\\') == std::string::npos && hasScriptExtension(name)) names.push_back(name);
    }
    return names;
}

// The bytes a reader gets at `path`, or null when it cannot be opened.
const std::vector<uint8_t>* readableBytes(const std::string& path) {
    const auto file = sim::files().find(path);
    if (file == sim::files().end() || sim::lockedPaths().count(path) > 0) return nullptr;
    return &file->second;
}

int32_t wholeRecordsToLoad(const std::string& path) {
    const std::vector<uint8_t>* bytes = readableBytes(path);
    if (!bytes) return 0;
    return static_cast<int32_t>(std::min<size_t>(bytes->size() / kBytesPerRecord, kBufferCapacity));
}

void checkLoad(const std::string& path) {
    const int32_t expected = wholeRecordsToLoad(path);
    // The slot after the last whole record must keep what an earlier load left there.
    const EventRecord sentinel = {0x5A5A5A5A, 0xA5, -77, 77};
    const int32_t spare = expected + 1;
    if (spare <= kBufferCapacity) eventAt(spare) = sentinel;
    eventCount = -1;
    loadScript(path);
    require(eventCount >= 0 && eventCount <= kBufferCapacity, "count within the buffer", path);
    require(eventCount == expected, "count is the whole records, at most 92000", path);
    const std::vector<uint8_t>* bytes = readableBytes(path);
    for (int32_t n = 1; n <= eventCount; ++n) {
        const uint8_t* r = bytes->data() + static_cast<size_t>(n - 1) * kBytesPerRecord;
        const EventRecord fromFile = {readLe32(r), r[4], readLe32(r + 5), readLe32(r + 9)};
        require(sameRecord(eventAt(n), fromFile), "record decodes to its bytes", path);
    }
    if (spare <= kBufferCapacity) require(sameRecord(eventAt(spare), sentinel), "slot past the count untouched", path);
}

// Folds every whole record's time into (-10000, 10000) so that a pass ends soon in virtual time.
void foldTimes(const std::string& path) {
    const auto file = sim::files().find(path);
    if (file == sim::files().end()) return;
    std::vector<uint8_t>& bytes = file->second;
    for (size_t at = 0; at + kBytesPerRecord <= bytes.size(); at += kBytesPerRecord)
        writeLe32(&bytes[at], readLe32(&bytes[at]) % kTimeSpanMs);
}

// The injection a record makes; false for kind 3, which makes none.
bool injectionOf(const EventRecord& r, sim::Injection& made) {
    const bool down = r.p1 == 0;
    made = {0, true, 0, 0, 0, 0};
    switch (r.kind) {
        case 0: made.flags = kMouseMove | kMouseAbsolute, made.dx = r.p1, made.dy = r.p2; return true;
        case 1: made.flags = down ? kMouseLeftDown : kMouseLeftUp; return true;
        case 2: made.flags = down ? kMouseRightDown : kMouseRightUp; return true;
        case 3: return false;
        case 4: made.flags = down ? kMouseMiddleDown : kMouseMiddleUp; return true;
        default: made = {0, false, static_cast<uint32_t>(r.p1), 0, 0, r.kind}; return true;
    }
}

bool sameInjection(const sim::Injection& a, const sim::Injection& b) {
    return a.mouse == b.mouse && a.flags == b.flags && a.dx == b.dx && a.dy == b.dy && a.vk == b.vk;
}

bool isRelease(const sim::Injection& i) {
    if (!i.mouse) return i.flags == kKeyRelease;
    return i.flags == kMouseLeftUp || i.flags == kMouseRightUp || i.flags == kMouseMiddleUp;
}

// One pass, no pause: every record injected in order at the first check past its time, then
// releases of whatever it left down, and the window back as it was.
void checkPlayback(const std::string& path) {
    sim::clearInjections();
    sim::control(编辑框_回放次数).text = "1";
    sim::control(编辑框_间隔时间).text = "0";
    play();
    const std::vector<sim::Injection>& made = sim::injections();
    size_t i = 0;
    // Bounds of the moment a record's wait ends: past its own time and every earlier one, and no
    // later than one 3 ms check past its time unless an earlier wait already went further.
    int64_t earliest = 0, latest = 0;
    for (int32_t n = 1; n <= eventCount; ++n) {
        const int64_t time = eventAt(n).time;
        earliest = std::max(earliest, time + 1);
        latest = std::max(latest, time + 3);
        sim::Injection expected{};
        if (!injectionOf(eventAt(n), expected)) continue;
        require(i < made.size(), "every record injected", path);
        require(sameInjection(made[i], expected), "injection as the record says", path);
        const int64_t elapsed =
            static_cast<int32_t>(static_cast<uint32_t>(made[i].tick) - static_cast<uint32_t>(startTick));
        require(elapsed >= earliest, "never before its time", path);
        require(elapsed <= latest, "at the first check past its time", path);
        earliest = latest = elapsed;
        ++i;
    }
    for (; i < made.size(); ++i) require(isRelease(made[i]), "only releases follow the records", path);
    for (int vk = 0; vk < kKeyCount; ++vk) require(!sim::isKeyDown(vk), "nothing left down", path);
    const std::vector<std::string>& passLabel = sim::textHistory(标签_当前次数);
    require(passLabel.size() >= 2 && passLabel[passLabel.size() - 2] == "1 / 1" && passLabel.back() == "执行完毕",
            "one pass, then finished", path);
    require(sim::control(按钮_回放).enabled && sim::control(按钮_记录).enabled, "buttons back", path);
    require(sim::inputBoxCalls().empty(), "the script's own keys start no recording", path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    sim::reset();
    if (!createSharedState()) return 0;
    onWindowCreated();
    const std::vector<FolderEntry> made = makeScriptsFolder(data, size);

    refreshList();
    const std::vector<std::string> listed = sim::listEntries();
    require(listed == scriptFilesInFolder(), "list is the folder's script files in order", "");
    require(sim::selection() == -1 && !sim::control(按钮_回放).enabled && !sim::control(按钮_删除).enabled,
            "nothing selected after a refresh", "");
    for (const FolderEntry& entry : made)
        if (entry.flags & kDeletedAfterListing) sim::files().erase(entry.path);

    for (size_t k = 0; k < listed.size(); ++k) {
        sim::select(static_cast<int>(k), sim::tick());
        processMessages();
        require(sim::control(按钮_回放).enabled && sim::control(按钮_删除).enabled, "selection enables", listed[k]);
        const std::string path = scriptsDir() + "\\" + listEntry(列表框_脚本, listSelection(列表框_脚本));
        require(path == scriptsDir() + "\\" + listed[k], "selected entry's path", listed[k]);
        checkLoad(path);
        if (wholeRecordsToLoad(path) > kPlayedRecordsLimit) continue;
        foldTimes(path);
        checkPlayback(path);
    }
    cleanUp();
    return 0;
}
