// The main window: its creation and the procedure that hands each message to a handler.
#include "app/win32/main_window.h"

#include <commctrl.h>

#include "app/handlers.h"

namespace {

constexpr int kWidth = 246;
constexpr int kHeight = 430;

// A window whose creation failed is destroyed too, but that is a start-up failure, not the end of the run.
bool created = false;

LRESULT OnCreate(HWND window) {
    rememberMainWindow(window);
    created = createControls(window);
    if (!created) rememberMainWindow(nullptr);
    return created ? 0 : -1;
}

void OnCommand(int id, int code) {
    switch (id) {
        case 按钮_记录:
        case 按钮_停止:
        case 按钮_回放:
        case 按钮_删除:
            if (code == BN_CLICKED) onButtonClicked((Control)id);
            break;
        case 列表框_脚本:
            if (code == LBN_SELCHANGE) onScriptSelected();
            break;
        default: break;
    }
}

// Each arrow press (or repeat) of a spinner is one step; the spinner itself keeps no value.
LRESULT OnNotify(const NMHDR& header) {
    if (header.code != UDN_DELTAPOS) return 0;
    if (header.idFrom != 调节器_间隔时间 && header.idFrom != 调节器_回放次数) return 0;
    const NMUPDOWN& press = reinterpret_cast<const NMUPDOWN&>(header);
    onSpinnerPressed((Control)header.idFrom, press.iDelta > 0);
    return 1;
}

void OnTimer(UINT_PTR id) {
    if (id == 时钟_热键) onHotKeyTick();
}

LRESULT OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlID != 标签_回放) return FALSE;
    drawShadowLabel(item);
    return TRUE;
}

void OnActivate(WPARAM state) {
    if (LOWORD(state) == WA_INACTIVE) rememberFocus();
}

// A minimised window keeps the focus itself; once shown again, its control gets it back.
void OnSize(HWND window, WPARAM kind) {
    if (kind != SIZE_MINIMIZED && GetFocus() == window) restoreFocus();
}

void OnDestroy() {
    if (!created) return;
    onWindowDestroyed();
    PostQuitMessage(0);  // only reached if the handler did not end the process itself
}

}  // namespace

LRESULT CALLBACK mainWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: return OnCreate(window);
        case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
        case WM_NOTIFY: return OnNotify(*(const NMHDR*)lParam);
        case WM_TIMER: OnTimer(wParam); return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX: return (LRESULT)colourControl((HWND)lParam, (HDC)wParam);
        case WM_DRAWITEM: return OnDrawItem(*(const DRAWITEMSTRUCT*)lParam);
        case WM_ACTIVATE: OnActivate(wParam); break;
        case WM_SETFOCUS: restoreFocus(); return 0;
        case WM_SIZE: OnSize(window, wParam); return 0;
        case WM_DESTROY: OnDestroy(); return 0;
        default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND createMainWindow(HINSTANCE instance) {
    int left = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    int top = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    return CreateWindowExW(0, kMainWindowClass, L"Velmora", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                           left, top, kWidth, kHeight, nullptr, nullptr, instance, nullptr);
}
