// Group boxes that pass their children's notifications on to the main window, where the handlers are.
#include "app/win32/main_window.h"

namespace {

WNDPROC buttonProcedure = nullptr;

bool isChildNotification(UINT message) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_VSCROLL:
        case WM_HSCROLL:
        case WM_DRAWITEM:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
            return true;
        default:
            return false;
    }
}

LRESULT CALLBACK groupBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    if (isChildNotification(message) && mainWindow()) return SendMessageW(mainWindow(), message, wParam, lParam);
    return CallWindowProcW(buttonProcedure, box, message, wParam, lParam);
}

}  // namespace

void forwardGroupBoxNotifications(HWND groupBox) {
    WNDPROC previous = (WNDPROC)SetWindowLongPtrW(groupBox, GWLP_WNDPROC, (LONG_PTR)groupBoxProcedure);
    if (!buttonProcedure) buttonProcedure = previous;
}
