// Text and background colours of the labels, check boxes, group boxes, edit boxes and the list.
#include "app/win32/main_window.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

COLORREF textColour(Control c) {
    switch (c) {
        case 编辑框_间隔时间:
        case 编辑框_回放次数:
        case 标签_当前次数:
        case 标签_录制进程:
            return kBlue;
        default:
            return kBlack;
    }
}

bool hasWhiteBackground(Control c) {
    return c == 编辑框_间隔时间 || c == 编辑框_回放次数 || c == 列表框_脚本;
}

}  // namespace

HBRUSH colourControl(HWND control, HDC dc) {
    Control c = (Control)GetDlgCtrlID(control);
    SetTextColor(dc, textColour(c));
    if (hasWhiteBackground(c)) {
        SetBkColor(dc, kWhite);
        return (HBRUSH)GetStockObject(WHITE_BRUSH);
    }
    // Labels lie on the window's own face colour, which shows through around their text.
    SetBkMode(dc, TRANSPARENT);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}
