// Encodes and decodes benchmark scripts with the storage code the program itself uses.
#include "script_bytes.h"

#include <cstdint>

#include "storage/script_file.h"

std::string scriptBytes(const std::vector<EventRecord>& records) {
    std::string bytes(records.size() * kRecordSize, '\0');
    uint8_t* data = reinterpret_cast<uint8_t*>(&bytes[0]);
    for (size_t i = 0; i < records.size(); ++i) encodeRecord(records[i], data, bytes.size(), i * kRecordSize);
    return bytes;
}

std::vector<EventRecord> scriptRecords(const std::string& bytes) {
    std::vector<EventRecord> records(bytes.size() / kRecordSize);
    const uint8_t* data = reinterpret_cast<const uint8_t*>(bytes.data());
    for (size_t i = 0; i < records.size(); ++i) decodeRecord(data, bytes.size(), i * kRecordSize, records[i]);
    return records;
}
