// Script files and folders the program did not write itself: odd sizes, odd records, files that vanish or are busy.
#include <cstdio>

#include "playback/player.h"
#include "sim_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes encode(const std::vector<EventRecord>& records) {
    Bytes bytes(records.size() * kRecordSize);
    for (size_t i = 0; i < records.size(); ++i) encodeRecord(records[i], bytes.data(), bytes.size(), i * kRecordSize);
    return bytes;
}

// An injection as seen from the start of the pass.
struct Seen {
    bool mouse;
    uint32_t flags;
    int32_t dx, dy;
    int vk;
    int32_t elapsed;
    bool operator==(const Seen& o) const {
        return mouse == o.mouse && flags == o.flags && dx == o.dx && dy == o.dy && vk == o.vk && elapsed == o.elapsed;
    }
};
std::ostream& operator<<(std::ostream& os, const Seen& s) {
    return os << (s.mouse ? "mouse" : "key") << "{0x" << std::hex << s.flags << std::dec << "," << s.dx << "," << s.dy
              << "," << s.vk << " at " << s.elapsed << "}";
}
Seen mouseAt(int32_t elapsed, uint32_t flags, int32_t dx = 0, int32_t dy = 0) {
    return {true, flags, dx, dy, 0, elapsed};
}
Seen keyAt(int32_t elapsed, int vk, uint32_t flags) { return {false, flags, 0, 0, vk, elapsed}; }

std::vector<Seen> seenSincePassStart() {
    std::vector<Seen> out;
    for (const sim::Injection& i : sim::injections())
        out.push_back({i.mouse, i.flags, i.dx, i.dy, i.mouse ? 0 : i.vk, i.tick - startTick});
    return out;
}

}  // namespace

class HostileFiles : public SimulatedHost {
protected:
    // Lists the folder, selects `name` as the user would and plays it once without a pause.
    static void playFile(const std::string& name, const Bytes& bytes) {
        sim::directories().insert(scriptsDir());
        sim::files()[scriptPath(name)] = bytes;
        selectScript(name);
        sim::clearInjections();
        sim::control(编辑框_回放次数).text = "1";
        sim::control(编辑框_间隔时间).text = "0";
        play();
    }
};

TEST_F(HostileFiles, PlayingInjectsTheWholeRecordsOnlyAsTheirKindsSay) {
    const std::vector<EventRecord> odd = {
        {-50, 0, -100, -7},           // negative time and coordinates: at the first check
        {-1, 3, 5, 5},                // kind 3: nothing
        {INT32_MIN, 26, 0, 0},        // the byte 0x1A is a key like any other
        {10, 255, 0, 0},              // first check past 10 ms is at 12
        {10, 26, 2, 0},
        {20, 255, 2, 0},
        {20, 0, 70000, INT32_MIN},    // off the 0..65535 scale, passed on unchanged
        {30, 3, 0, 0},
    };
    const std::vector<Seen> oddSeen = {
        mouseAt(0, 0x8001, -100, -7), keyAt(0, 26, 0),  keyAt(12, 255, 0),
        keyAt(12, 26, 2),             keyAt(21, 255, 2), mouseAt(21, 0x8001, 70000, INT32_MIN),
    };
    const Bytes example = {0xF4, 0x01, 0x00, 0x00, 0x00, 0x2C, 0x01, 0x00, 0x00, 0xC8, 0x00, 0x00, 0x00,
                           0xEE, 0x02, 0x00, 0x00, 0x41, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    // The checks fall at 0, 3, 6, ... ms; A, left down, is released when the pass ends.
    const std::vector<Seen> exampleSeen = {mouseAt(501, 0x8001, 300, 200), keyAt(753, 65, 0), keyAt(753, 65, 2)};
    struct Case {
        std::string name;
        Bytes bytes;
        int32_t count;
        std::vector<Seen> seen;
    };
    std::vector<Case> cases = {{"empty", {}, 0, {}}, {"odd", encode(odd), 8, oddSeen}};
    for (uint8_t fragment = 1; fragment <= 12; ++fragment) {
        Bytes bytes = example;
        for (uint8_t b = 0; b < fragment; ++b) bytes.push_back(b == 0 ? 0x1A : 0xFF);
        cases.push_back({"fragment" + std::to_string(fragment), bytes, 2, exampleSeen});
        cases.push_back({"only" + std::to_string(fragment), Bytes(bytes.end() - fragment, bytes.end()), 0, {}});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        playFile(c.name, c.bytes);
        EXPECT_EQ(eventCount, c.count);
        EXPECT_EQ(seenSincePassStart(), c.seen);
        EXPECT_EQ(sim::textHistory(标签_当前次数).back(), "执行完毕");
    }
}

// Ten million records' worth of bytes (130 MB) still fills only the 92000 slots with the first records.
TEST_F(HostileFiles, AHugeFileLoadsItsFirst92000RecordsOnly) {
    constexpr size_t kRecords = 10000000;
    Bytes bytes(kRecords * kRecordSize + 7, 0xEE);
    for (int32_t n = 1; n <= kBufferCapacity; ++n)
        encodeRecord({n, static_cast<uint8_t>(n), -n, n * 3}, bytes.data(), bytes.size(), (n - 1) * kRecordSize);
    sim::directories().insert(scriptsDir());
    sim::files()[scriptPath("huge")] = std::move(bytes);
    eventAt(kBufferCapacity) = {};
    loadScript(scriptPath("huge"));
    ASSERT_EQ(eventCount, kBufferCapacity);
    int32_t wrong = 0;
    for (int32_t n = 1; n <= kBufferCapacity; ++n) {
        const EventRecord& r = eventAt(n);
        if (r.time != n || r.kind != static_cast<uint8_t>(n) || r.p1 != -n || r.p2 != n * 3) ++wrong;
    }
    EXPECT_EQ(wrong, 0);
    sim::files().clear();
}

// Between listing and playing, the selected file can vanish or be opened for writing by another program.
TEST_F(HostileFiles, ASelectedScriptThatCannotBeOpenedPlaysNothingButRunsThePasses) {
    struct Case {
        const char* name;
        void (*spoil)(const std::string& path);
    };
    const Case cases[] = {
        {"deleted", [](const std::string& path) { sim::files().erase(path); }},
        {"open for writing elsewhere", [](const std::string& path) { sim::lockedPaths().insert(path); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim::reset();
        onWindowCreated();
        putScript("s", {{5, 65, 0, 0}, {6, 65, 2, 0}});
        selectScript("s");
        eventCount = 2;
        c.spoil(scriptPath("s"));
        sim::control(编辑框_回放次数).text = "2";
        sim::control(编辑框_间隔时间).text = "0.25";
        const int32_t started = sim::tick();
        play();
        EXPECT_EQ(eventCount, 0);
        EXPECT_TRUE(sim::injections().empty());
        EXPECT_EQ(sim::textHistory(标签_当前次数), (std::vector<std::string>{"1 / 2", "2 / 2", "执行完毕"}));
        EXPECT_EQ(sim::tick() - started, 500) << "both pauses";
    }
}

TEST_F(HostileFiles, TwoThousandScriptsAreAllListedInTheFoldersOrder) {
    std::vector<std::string> expected;
    sim::directories().insert(scriptsDir());
    for (int i = 0; i < 2000; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "s%04d.mrc", i);
        sim::files()[scriptsDir() + "\\" + name] = {};
        expected.push_back(name);
    }
    sim::files()[scriptsDir() + "\\s0999.txt"] = {};
    refreshList();
    EXPECT_EQ(sim::listEntries(), expected);
    sim::select(1999, sim::tick());
    processMessages();
    EXPECT_EQ(listEntry(列表框_脚本, listSelection(列表框_脚本)), "s1999.mrc");
    EXPECT_TRUE(sim::control(按钮_回放).enabled);
}
