// Script files as bytes, through the program's own record encoding.
#pragma once
#include <string>
#include <vector>

#include "recording/event_record.h"

std::string scriptBytes(const std::vector<EventRecord>& records);
// The whole records in `bytes`; a trailing fragment is left out.
std::vector<EventRecord> scriptRecords(const std::string& bytes);
