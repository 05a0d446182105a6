// One recorded input event, as it lives in memory and (13 bytes packed) on disk.
#pragma once
#include <cstdint>

struct EventRecord {
    int32_t time;  // ms from the start of the recording
    uint8_t kind;  // 0 cursor move, else the virtual-key code
    int32_t p1;    // move: x on 0..65535; key: 0 down, 2 up
    int32_t p2;    // move: y on 0..65535; key: 0
};

constexpr uint8_t kKindMove = 0;
constexpr int32_t kTransitionDown = 0;
constexpr int32_t kTransitionUp = 2;
