// A fresh simulated machine and fresh shared state per test, with the window just created.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/handlers.h"
#include "app/state.h"
#include "host/host.h"
#include "host/sim/sim.h"
#include "recording/event_buffer.h"
#include "storage/script_file.h"
#include "storage/script_library.h"

// kind, p1, p2 of an event, without its time.
struct Ev {
    int kind;
    int32_t p1;
    int32_t p2;
    bool operator==(const Ev& o) const { return kind == o.kind && p1 == o.p1 && p2 == o.p2; }
};
inline std::ostream& operator<<(std::ostream& os, const Ev& e) {
    return os << "{" << e.kind << "," << e.p1 << "," << e.p2 << "}";
}
inline Ev down(int vk) { return {vk, kTransitionDown, 0}; }
inline Ev up(int vk) { return {vk, kTransitionUp, 0}; }
inline Ev move(int32_t x, int32_t y) { return {kKindMove, x, y}; }

class SimulatedHost : public ::testing::Test {
protected:
    void SetUp() override {
        sim::reset();
        createSharedState();
        onWindowCreated();
    }
    void TearDown() override { cleanUp(); }

    // The idle message loop: messages are handled as they come, a millisecond apart.
    static void runFor(int32_t ms) {
        for (int32_t i = 0; i < ms; ++i) {
            processMessages();
            sleepMs(1);
        }
    }
    static std::vector<Ev> recorded() {
        std::vector<Ev> events;
        for (int32_t n = 1; n <= eventCount; ++n) events.push_back({eventAt(n).kind, eventAt(n).p1, eventAt(n).p2});
        return events;
    }
    // The user presses F3 at `tick` and lets go of it 30 ms later.
    static void pressF3At(int32_t tick) {
        sim::at(tick, [] { sim::pressKey(114); });
        sim::at(tick + 30, [] { sim::releaseKey(114); });
    }
    static void holdKey(int vk, int32_t from, int32_t to) {
        sim::at(from, [vk] { sim::pressKey(vk); });
        sim::at(to, [vk] { sim::releaseKey(vk); });
    }
    static std::string scriptPath(const std::string& name) { return scriptsDir() + "\\" + name + ".mrc"; }
    static void putScript(const std::string& name, const std::vector<EventRecord>& records) {
        std::vector<uint8_t> bytes(records.size() * kRecordSize);
        for (size_t i = 0; i < records.size(); ++i) encodeRecord(records[i], bytes.data(), bytes.size(), i * kRecordSize);
        sim::directories().insert(scriptsDir());
        sim::files()[scriptPath(name)] = bytes;
    }
    // Lists the folder and selects `name` as the user would.
    static void selectScript(const std::string& name) {
        refreshList();
        const std::vector<std::string>& entries = sim::listEntries();
        for (size_t i = 0; i < entries.size(); ++i)
            if (entries[i] == name + ".mrc") sim::select(static_cast<int>(i), sim::tick());
        processMessages();
    }
};
