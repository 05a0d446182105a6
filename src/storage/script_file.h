// The script file's record: 13 packed little-endian bytes per event, no header.
#pragma once
#include <cstddef>
#include <cstdint>

#include "recording/event_record.h"

// time int32, kind uint8, p1 int32, p2 int32.
constexpr size_t kRecordSize = 13;

// Writes `record` at `offset` of the span; false (nothing written) when 13 bytes do not fit.
bool encodeRecord(const EventRecord& record, uint8_t* data, size_t size, size_t offset);
// Reads the record at `offset` of the span; false (record untouched) when 13 bytes are not there.
bool decodeRecord(const uint8_t* data, size_t size, size_t offset, EventRecord& record);
