// The driver's clock: high-resolution stamps, the same counter the input logger stamps with.
#pragma once
#include <cstdint>

int64_t stampNow();
// Milliseconds from stamp `from` to stamp `to`.
double stampMs(int64_t from, int64_t to);
