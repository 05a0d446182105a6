// The recording in memory: access to numbered records and appending with the full-buffer stop.
#include "recording/event_buffer.h"

#include "app/state.h"
#include "host/host.h"
#include "host/text.h"

EventRecord& eventAt(int32_t n) { return EventBuffer[n]; }

void append(uint8_t kind, int32_t p1, int32_t p2) {
    if (eventCount >= kBufferCapacity) {
        // The recorder only sees the flag at its next check, so each further attempt reports again.
        stopRecording = true;
        messageBox("缓冲区已满，录制被迫中止。", kMessageBoxError, "录制出错");
        return;
    }
    ++eventCount;
    EventRecord& record = eventAt(eventCount);
    // In double and truncated to the low 32 bits, so a wrap of the tick counter still gives the elapsed time.
    record.time = truncate(static_cast<double>(tickCount()) - static_cast<double>(startTick));
    record.kind = kind;
    record.p1 = p1;
    record.p2 = p2;
    setControlText(标签_录制进程, toText(eventCount) + " / " + capacityText);
}
