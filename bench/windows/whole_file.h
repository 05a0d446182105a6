// Reading a whole file, /proc entries through drive Z: included.
#pragma once
#include <string>

// The file's bytes; empty when it cannot be opened.
std::string readWholeFile(const std::wstring& path);
