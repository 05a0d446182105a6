// The 13-byte script record and the little-endian helpers under it: exact bytes and bounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "storage/little_endian.h"
#include "storage/script_file.h"

namespace {

struct RecordBytes {
    EventRecord record;
    std::vector<uint8_t> bytes;
};

const RecordBytes kExamples[] = {
    {{500, 0, 300, 200}, {0xF4, 0x01, 0x00, 0x00, 0x00, 0x2C, 0x01, 0x00, 0x00, 0xC8, 0x00, 0x00, 0x00}},
    {{750, 65, 0, 0}, {0xEE, 0x02, 0x00, 0x00, 0x41, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
    {{750, 65, 2, 0}, {0xEE, 0x02, 0x00, 0x00, 0x41, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
    {{-1, 26, INT32_MIN, INT32_MAX}, {0xFF, 0xFF, 0xFF, 0xFF, 0x1A, 0x00, 0x00, 0x00, 0x80, 0xFF, 0xFF, 0xFF, 0x7F}},
    {{0x12345678, 255, -2, 0x01020304},
     {0x78, 0x56, 0x34, 0x12, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01}},
};

void expectSameRecord(const EventRecord& actual, const EventRecord& expected) {
    EXPECT_EQ(actual.time, expected.time);
    EXPECT_EQ(actual.kind, expected.kind);
    EXPECT_EQ(actual.p1, expected.p1);
    EXPECT_EQ(actual.p2, expected.p2);
}

TEST(ScriptFile, EncodesEachRecordToItsExactBytesAtTheOffset) {
    for (const RecordBytes& example : kExamples) {
        std::vector<uint8_t> span(kRecordSize + 3, 0xAA);
        ASSERT_TRUE(encodeRecord(example.record, span.data(), span.size(), 2));
        EXPECT_EQ(std::vector<uint8_t>(span.begin() + 2, span.begin() + 2 + kRecordSize), example.bytes);
        EXPECT_EQ(span[0], 0xAA);
        EXPECT_EQ(span[1], 0xAA);
        EXPECT_EQ(span[15], 0xAA);
    }
}

TEST(ScriptFile, DecodesExactBytesBackToTheRecord) {
    for (const RecordBytes& example : kExamples) {
        EventRecord record{7, 7, 7, 7};
        ASSERT_TRUE(decodeRecord(example.bytes.data(), example.bytes.size(), 0, record));
        expectSameRecord(record, example.record);
    }
}

TEST(ScriptFile, RefusesARecordThatDoesNotFitTheSpan) {
    std::vector<uint8_t> span(2 * kRecordSize - 1, 0xAA);
    const EventRecord record{1, 2, 3, 4};
    for (size_t offset : {size_t{kRecordSize}, size_t{span.size()}, size_t{span.size() + 1}, SIZE_MAX}) {
        EXPECT_FALSE(encodeRecord(record, span.data(), span.size(), offset)) << offset;
        EventRecord untouched{9, 9, 9, 9};
        EXPECT_FALSE(decodeRecord(span.data(), span.size(), offset, untouched)) << offset;
        expectSameRecord(untouched, {9, 9, 9, 9});
    }
    EXPECT_EQ(span, std::vector<uint8_t>(2 * kRecordSize - 1, 0xAA));
    EXPECT_TRUE(encodeRecord(record, span.data(), span.size(), kRecordSize - 1));
}

TEST(LittleEndian, ChecksBoundsForEachWidth) {
    uint8_t span[6] = {};
    int32_t number = 0;
    uint8_t byte = 0;
    EXPECT_TRUE(writeInt32(span, 6, 2, -2));
    EXPECT_FALSE(writeInt32(span, 6, 3, 1));
    EXPECT_FALSE(readInt32(span, 6, 3, number));
    EXPECT_TRUE(readInt32(span, 6, 2, number));
    EXPECT_EQ(number, -2);
    EXPECT_TRUE(writeUint8(span, 6, 5, 0x80));
    EXPECT_FALSE(writeUint8(span, 6, 6, 1));
    EXPECT_FALSE(readUint8(span, 6, 6, byte));
    EXPECT_TRUE(readUint8(span, 6, 5, byte));
    EXPECT_EQ(byte, 0x80);
    const uint8_t expected[6] = {0, 0, 0xFE, 0xFF, 0xFF, 0x80};
    EXPECT_TRUE(std::equal(span, span + 6, expected));
}

}  // namespace
