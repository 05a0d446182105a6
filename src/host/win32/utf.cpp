// UTF-8 to and from UTF-16 through the system's converters.
#include "host/win32/utf.h"

#include <windows.h>

std::wstring widen(const std::string& text) {
    if (text.empty()) return std::wstring();
    int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), (int)text.size(), nullptr, 0);
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), (int)text.size(), &wide[0], length);
    return wide;
}

std::string narrow(const wchar_t* text, size_t length) {
    if (length == 0) return std::string();
    int size = WideCharToMultiByte(CP_UTF8, 0, text, (int)length, nullptr, 0, nullptr, nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, (int)length, &bytes[0], size, nullptr, nullptr);
    return bytes;
}

std::string narrow(const std::wstring& text) {
    return narrow(text.data(), text.size());
}
