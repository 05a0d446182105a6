// Numbers and times as the window shows them, and typed text read back as numbers.
#pragma once
#include <cstdint>
#include <string>

#include "host/host.h"

// Decimal digits with a leading "-" for negative values: 92000 gives "92000".
std::string toText(int32_t value);
// 13 significant digits, general style: 0.3, 66.66666666667, 1e+013, 1.#INF.
std::string toText(double value);
// "2011年8月8日13时2分45秒", trailing zero fields left out.
std::string toText(const DateTime& when);
// Leading number of the text after folding full-width characters; 0 when there is none.
double toNumber(const std::string& text);
// Toward zero, keeping the low 32 bits; 0 outside the 64-bit range.
int32_t truncate(double value);
