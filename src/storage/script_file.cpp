// Encoding and decoding of the script file's 13-byte record, field by field.
#include "storage/script_file.h"

#include "storage/little_endian.h"

bool encodeRecord(const EventRecord& record, uint8_t* data, size_t size, size_t offset) {
    if (!fitsIn(size, offset, kRecordSize)) return false;
    return writeInt32(data, size, offset, record.time) && writeUint8(data, size, offset + 4, record.kind) &&
           writeInt32(data, size, offset + 5, record.p1) && writeInt32(data, size, offset + 9, record.p2);
}

bool decodeRecord(const uint8_t* data, size_t size, size_t offset, EventRecord& record) {
    EventRecord read{};
    if (!readInt32(data, size, offset, read.time) || !readUint8(data, size, offset + 4, read.kind) ||
        !readInt32(data, size, offset + 5, read.p1) || !readInt32(data, size, offset + 9, read.p2))
        return false;
    record = read;
    return true;
}
