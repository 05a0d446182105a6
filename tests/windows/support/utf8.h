// UTF-8 (what tests compare) to and from UTF-16 (what Win32 W functions take).
#pragma once
#include <string>

namespace rig {

std::string toUtf8(const std::wstring& text);
std::wstring toWide(const std::string& text);

}  // namespace rig
