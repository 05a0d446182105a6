// The event buffer: time stamps since the start, the progress label and the full-buffer stop.
#include <gtest/gtest.h>

#include <climits>

#include "storage_fixture.h"

namespace {

using EventBufferTest = StorageTest;

struct Stamp {
    int32_t start;
    int32_t now;
    int32_t expected;
};

TEST_F(EventBufferTest, StampsEachEventWithTheTicksSinceTheStartAcrossAWrap) {
    const Stamp stamps[] = {
        {1000, 1500, 500},
        {-100, 50, 150},
        {INT32_MAX - 5, INT32_MIN + 4, 10},  // the tick counter wrapped 10 ms after the start
        {-2000000000, 2000000000, -294967296},  // 4e9 ms apart: only the low 32 bits are kept
        {42, 42, 0},
    };
    for (const Stamp& stamp : stamps) {
        eventCount = 0;
        startTick = stamp.start;
        sim::setTick(stamp.now);
        append(66, 0, 0);
        ASSERT_EQ(eventCount, 1);
        EXPECT_EQ(eventAt(1).time, stamp.expected) << stamp.start << " to " << stamp.now;
    }
}

TEST_F(EventBufferTest, AppendsInOrderReadingTheClockForEachAndCountsInTheLabel) {
    startTick = 5000;
    sim::setTick(5250);
    append(0, 300, 200);
    sim::advance(1);
    append(1, 0, 0);
    append(65, 2, 0);
    ASSERT_EQ(eventCount, 3);
    const EventRecord expected[] = {{250, 0, 300, 200}, {251, 1, 0, 0}, {251, 65, 2, 0}};
    for (int32_t n = 1; n <= 3; ++n) {
        EXPECT_EQ(eventAt(n).time, expected[n - 1].time) << n;
        EXPECT_EQ(eventAt(n).kind, expected[n - 1].kind) << n;
        EXPECT_EQ(eventAt(n).p1, expected[n - 1].p1) << n;
        EXPECT_EQ(eventAt(n).p2, expected[n - 1].p2) << n;
    }
    EXPECT_EQ(sim::control(标签_录制进程).text, "3 / 92000");
    EXPECT_FALSE(stopRecording);
    EXPECT_TRUE(sim::messageBoxCalls().empty());
}

TEST_F(EventBufferTest, AFullBufferStopsTheRecordingAndReportsEachFurtherAttempt) {
    startTick = sim::tick();
    for (int32_t n = 1; n <= kBufferCapacity; ++n) append(static_cast<uint8_t>(n % 256), n, -n);
    EXPECT_EQ(eventCount, 92000);
    EXPECT_FALSE(stopRecording);
    EXPECT_TRUE(sim::messageBoxCalls().empty());
    EXPECT_EQ(sim::control(标签_录制进程).text, "92000 / 92000");

    append(7, 7, 7);
    append(8, 8, 8);
    EXPECT_TRUE(stopRecording);
    EXPECT_EQ(eventCount, 92000);
    ASSERT_EQ(sim::messageBoxCalls().size(), 2u);
    for (const sim::MessageBoxCall& call : sim::messageBoxCalls()) {
        EXPECT_EQ(call.text, "缓冲区已满，录制被迫中止。");
        EXPECT_EQ(call.flags, 16);
        EXPECT_EQ(call.title, "录制出错");
    }
    EXPECT_EQ(eventAt(92000).kind, 92000 % 256);
    EXPECT_EQ(eventAt(92000).p1, 92000);
    EXPECT_EQ(sim::control(标签_录制进程).text, "92000 / 92000");

    sim::confirmInputBox("full");
    saveRecording();
    ASSERT_EQ(sim::files().count(scriptPath("full.mrc")), 1u);
    EXPECT_EQ(sim::files()[scriptPath("full.mrc")].size(), 1196000u);
}

}  // namespace
