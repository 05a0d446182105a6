// Builds the main window's controls: place, parent, caption, style and initial state of each.
#include "app/win32/main_window.h"

#include <commctrl.h>

namespace {

enum Kind { PushButton, GroupBox, Label, ShadowLabel, EditBox, ListBox, Spinner, CheckBox, Hyperlink };

constexpr int kOnWindow = 0;

struct ControlSpec {
    Control name;
    Kind kind;
    int parent;  // kOnWindow or the group box that holds the control
    int x, y, width, height;
    const wchar_t* text;
    bool enabled;
};

const ControlSpec kControls[] = {
    {按钮_记录, PushButton, kOnWindow, 8, 8, 56, 20, L"录制(F2)", true},
    {按钮_停止, PushButton, kOnWindow, 64, 8, 56, 20, L"停止(F3)", false},
    {按钮_回放, PushButton, kOnWindow, 120, 8, 56, 20, L"回放", false},
    {按钮_删除, PushButton, kOnWindow, 176, 8, 56, 20, L"删除", false},
    {分组框_脚本, GroupBox, kOnWindow, 8, 32, 224, 104, L"现存脚本", true},
    {列表框_脚本, ListBox, 分组框_脚本, 8, 16, 208, 80, L"", true},
    {分组框_设置, GroupBox, kOnWindow, 8, 144, 224, 136, L"设置", true},
    {标签_间隔时间, Label, 分组框_设置, 16, 16, 56, 16, L"回放间隔:", true},
    {编辑框_间隔时间, EditBox, 分组框_设置, 72, 16, 88, 20, L"3", true},
    {调节器_间隔时间, Spinner, 分组框_设置, 160, 16, 16, 20, L"", true},
    {标签_秒, Label, 分组框_设置, 184, 16, 16, 16, L"秒", true},
    {标签_回放次数, Label, 分组框_设置, 16, 40, 56, 16, L"回放次数:", true},
    {编辑框_回放次数, EditBox, 分组框_设置, 72, 40, 88, 20, L"1", true},
    {调节器_回放次数, Spinner, 分组框_设置, 160, 40, 16, 20, L"", true},
    {选择框_最小化, CheckBox, 分组框_设置, 16, 64, 96, 16, L"录制时最小化", true},
    {选择框_回放, CheckBox, 分组框_设置, 120, 64, 96, 16, L"回放时最小化", true},
    {标签_执行次数, Label, 分组框_设置, 16, 88, 72, 16, L"正在执行:", true},
    {标签_当前次数, Label, 分组框_设置, 96, 88, 112, 16, L"", true},
    {标签_缓冲区, Label, 分组框_设置, 16, 112, 72, 16, L"缓冲区状态:", true},
    {标签_录制进程, Label, 分组框_设置, 96, 112, 112, 16, L"", true},
    {标签_回放, ShadowLabel, kOnWindow, 16, 296, 200, 16, L"回放过程中，按 F4 键可停止回放。", true},
    {超级链接框1, Hyperlink, kOnWindow, 8, 320, 144, 32, L"Velmora 主页", true},
    {超级链接框2, Hyperlink, kOnWindow, 8, 360, 224, 40, L"下载新版本", true},
    {标签1, Label, kOnWindow, 160, 320, 144, 16, L"意见反馈：", true},
    {标签2, Label, kOnWindow, 160, 336, 104, 16, L"请到主页留言", true},
};

struct KindSpec {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

KindSpec kindSpec(Kind kind) {
    constexpr DWORD child = WS_CHILD | WS_VISIBLE;
    switch (kind) {
        case PushButton: return {L"BUTTON", child | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER, 0};
        case GroupBox: return {L"BUTTON", child | BS_GROUPBOX, 0};
        case Label: return {L"STATIC", child | SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, 0};
        case ShadowLabel: return {L"STATIC", child | SS_OWNERDRAW, 0};
        case EditBox: return {L"EDIT", child | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL, WS_EX_STATICEDGE};
        case ListBox:
            return {L"LISTBOX", child | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0};
        case Spinner: return {UPDOWN_CLASSW, child, 0};
        case CheckBox: return {L"BUTTON", child | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
        case Hyperlink: return {kHyperlinkClass, child, 0};
    }
    return {L"STATIC", child, 0};
}

// Rows one pixel taller than the list's font.
void setListRowHeight(HWND list, HFONT font) {
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    SendMessageW(list, LB_SETITEMHEIGHT, 0, metrics.tmHeight + 1);
}

// Settings that only a message can give, after the control exists.
void finishControl(const ControlSpec& row, HWND control, HFONT font) {
    if (row.kind != Hyperlink) SendMessageW(control, WM_SETFONT, (WPARAM)font, FALSE);
    switch (row.kind) {
        case GroupBox: forwardGroupBoxNotifications(control); break;
        case EditBox: SendMessageW(control, EM_SETLIMITTEXT, 0, 0); break;
        case ListBox: setListRowHeight(control, font); break;
        case CheckBox: SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0); break;
        case Spinner:
            // Kept mid-range so neither arrow is ever at a limit; the value is never changed.
            SendMessageW(control, UDM_SETRANGE32, 0, 2);
            SendMessageW(control, UDM_SETPOS32, 0, 1);
            break;
        default: break;
    }
}

}  // namespace

bool createControls(HWND window) {
    HFONT font = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    HINSTANCE instance = (HINSTANCE)GetWindowLongPtrW(window, GWLP_HINSTANCE);
    for (const ControlSpec& row : kControls) {
        KindSpec kind = kindSpec(row.kind);
        HWND parent = row.parent == kOnWindow ? window : controlWindow((Control)row.parent);
        DWORD style = kind.style | (row.enabled ? 0 : WS_DISABLED);
        HWND control = CreateWindowExW(kind.exStyle, kind.className, row.text, style, row.x, row.y,
                                       row.width, row.height, parent, (HMENU)(INT_PTR)row.name, instance,
                                       nullptr);
        if (!control) return false;
        rememberControlWindow(row.name, control);
        finishControl(row, control, font);
    }
    return true;
}
