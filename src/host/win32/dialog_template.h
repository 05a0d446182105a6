// In-memory dialog templates, as the indirect dialog functions read them.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Predefined control classes by atom.
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;

struct DialogItem {
    DWORD style;
    short x, y, cx, cy;  // dialog units
    WORD id;
    WORD controlClass;
    const wchar_t* text;
};

struct DialogFrame {
    DWORD style;  // DS_SETFONT is added
    short cx, cy;
    std::wstring caption;
    WORD pointSize;
    const wchar_t* font;
};

// The template as DWORD-aligned words; pass data() to DialogBoxIndirectParamW.
std::vector<WORD> dialogTemplate(const DialogFrame& frame, const DialogItem* items, size_t count);
