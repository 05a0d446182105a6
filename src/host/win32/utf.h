// UTF-8 (the program's text) to and from UTF-16 (the W functions' text).
#pragma once
#include <string>

std::wstring widen(const std::string& text);
std::string narrow(const wchar_t* text, size_t length);
std::string narrow(const std::wstring& text);
