// A fresh simulated machine and fresh shared state for each test of the buffer and the script library.
#pragma once
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

#include "app/state.h"
#include "host/sim/sim.h"
#include "host/text.h"
#include "recording/event_buffer.h"
#include "storage/script_library.h"

struct StorageTest : testing::Test {
    void SetUp() override {
        sim::reset();
        ASSERT_TRUE(createSharedState());
        // As the window's created handler leaves it.
        capacityText = toText(kBufferCapacity);
    }
    void TearDown() override { cleanUp(); }
};

// Full path of a script in the simulated scripts folder.
inline std::string scriptPath(const std::string& file) { return "C:\\Velmora\\scripts\\" + file; }

// Record n of a recording told apart by `seed`: every field differs between neighbours, kinds run
// through 0..255 (26 included) and time, p1 and p2 are mostly negative.
inline EventRecord patternRecord(int32_t n, int32_t seed = 0) {
    return {n * 7 - 300000 + seed, static_cast<uint8_t>((n + seed) % 256), -n - seed, INT32_MIN + n * 3 + seed};
}

// Records 1..count from the pattern, and eventCount = count.
inline void fillBuffer(int32_t count, int32_t seed = 0) {
    for (int32_t n = 1; n <= count; ++n) eventAt(n) = patternRecord(n, seed);
    eventCount = count;
}

// How many of records first..last differ from the pattern.
inline int32_t recordsOffPattern(int32_t first, int32_t last, int32_t seed = 0) {
    int32_t off = 0;
    for (int32_t n = first; n <= last; ++n) {
        const EventRecord expected = patternRecord(n, seed);
        const EventRecord& actual = eventAt(n);
        if (actual.time != expected.time || actual.kind != expected.kind || actual.p1 != expected.p1 ||
            actual.p2 != expected.p2)
            ++off;
    }
    return off;
}
