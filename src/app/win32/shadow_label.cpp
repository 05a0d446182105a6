// The playback hint label: blue text over a white copy one pixel lower right.
#include "app/win32/main_window.h"

#include <string>

void drawShadowLabel(const DRAWITEMSTRUCT& item) {
    HWND label = item.hwndItem;
    std::wstring text(GetWindowTextLengthW(label) + 1, L'\0');
    text.resize(GetWindowTextW(label, &text[0], (int)text.size()));
    RECT box = item.rcItem;
    FillRect(item.hDC, &box, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ oldFont = SelectObject(item.hDC, (HFONT)SendMessageW(label, WM_GETFONT, 0, 0));
    SetBkMode(item.hDC, TRANSPARENT);
    constexpr UINT format = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    RECT shadow = box;
    OffsetRect(&shadow, 1, 1);
    SetTextColor(item.hDC, RGB(255, 255, 255));
    DrawTextW(item.hDC, text.c_str(), (int)text.size(), &shadow, format);
    SetTextColor(item.hDC, RGB(0, 0, 255));
    DrawTextW(item.hDC, text.c_str(), (int)text.size(), &box, format);
    SelectObject(item.hDC, oldFont);
}
