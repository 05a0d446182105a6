// The window classes of the main window and of the hyperlink boxes.
#include "app/win32/main_window.h"

const wchar_t kMainWindowClass[] = L"VelmoraMainWindow";
const wchar_t kHyperlinkClass[] = L"VelmoraHyperlink";

namespace {

HICON loadIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
    return (HICON)LoadImageW(instance, L"DEFAULT_ICON", IMAGE_ICON, GetSystemMetrics(widthMetric),
                             GetSystemMetrics(heightMetric), 0);
}

bool registerClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, const wchar_t* cursor,
                   HBRUSH background, bool withIcon) {
    WNDCLASSEXW type = {};
    type.cbSize = sizeof type;
    type.lpfnWndProc = procedure;
    type.hInstance = instance;
    type.hIcon = withIcon ? loadIcon(instance, SM_CXICON, SM_CYICON) : nullptr;
    type.hIconSm = withIcon ? loadIcon(instance, SM_CXSMICON, SM_CYSMICON) : nullptr;
    type.hCursor = LoadCursorW(nullptr, cursor);
    type.hbrBackground = background;
    type.lpszClassName = name;
    return RegisterClassExW(&type) != 0;
}

}  // namespace

bool registerWindowClasses(HINSTANCE instance) {
    // The hyperlink boxes paint their whole face themselves, so they need no background brush.
    HBRUSH face = (HBRUSH)(COLOR_BTNFACE + 1);
    return registerClass(instance, kMainWindowClass, mainWindowProcedure, IDC_ARROW, face, true) &&
           registerClass(instance, kHyperlinkClass, hyperlinkProcedure, IDC_HAND, nullptr, false);
}
