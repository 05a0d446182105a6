// The hyperlink boxes: a centred caption in hover and visited colours, and its web address opened on a click.
#include "app/win32/main_window.h"
#include "app/win32/web_address.h"

namespace {

constexpr COLORREF kHoverColour = RGB(51, 153, 255);
constexpr COLORREF kWindowFace = CLR_INVALID;  // the system's button-face colour

struct LinkBox {
    Control name;
    const wchar_t* address;
    int textHeight;
    COLORREF colour;
    COLORREF visitedColour;
    COLORREF background;
    bool hot;
    bool visited;
    HFONT font;
};

LinkBox links[] = {
    {超级链接框1, L"https://velmora.example.org/", 19, RGB(255, 0, 0), RGB(255, 128, 0), RGB(0, 0, 0),
     false, false, nullptr},
    {超级链接框2, L"https://velmora.example.org/download", 24, RGB(0, 0, 255), RGB(128, 0, 0), kWindowFace,
     false, false, nullptr},
};

LinkBox* linkOf(HWND box) {
    int name = GetDlgCtrlID(box);
    for (LinkBox& link : links) {
        if (link.name == name) return &link;
    }
    return nullptr;
}

// Bold face of the default GUI font at the link's own height.
HFONT makeFont(int textHeight) {
    LOGFONTW face = {};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof face, &face);
    face.lfHeight = -textHeight;
    face.lfWidth = 0;
    face.lfWeight = FW_BOLD;
    return CreateFontIndirectW(&face);
}

void paint(HWND box, LinkBox& link) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(box, &paint);
    RECT area;
    GetClientRect(box, &area);
    if (link.background == kWindowFace) {
        FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    } else {
        SetBkColor(dc, link.background);
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
    }
    wchar_t caption[256];
    int length = GetWindowTextW(box, caption, 256);
    HGDIOBJ oldFont = SelectObject(dc, link.font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, link.hot ? kHoverColour : link.visited ? link.visitedColour : link.colour);
    DrawTextW(dc, caption, length, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    EndPaint(box, &paint);
}

void onMouseMove(HWND box, LinkBox& link) {
    if (link.hot) return;
    link.hot = true;
    TRACKMOUSEEVENT leave = {sizeof leave, TME_LEAVE, box, 0};
    TrackMouseEvent(&leave);
    InvalidateRect(box, nullptr, FALSE);
}

void onMouseLeave(HWND box, LinkBox& link) {
    link.hot = false;
    InvalidateRect(box, nullptr, FALSE);
}

void onClick(HWND box, LinkBox& link) {
    if (!openWebAddress(link.address)) return;
    link.visited = true;
    InvalidateRect(box, nullptr, FALSE);
}

}  // namespace

LRESULT CALLBACK hyperlinkProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    LinkBox* link = linkOf(box);
    if (!link) return DefWindowProcW(box, message, wParam, lParam);
    switch (message) {
        case WM_CREATE:
            if (!link->font) link->font = makeFont(link->textHeight);
            return link->font ? 0 : -1;
        case WM_PAINT: paint(box, *link); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_MOUSEMOVE: onMouseMove(box, *link); return 0;
        case WM_MOUSELEAVE: onMouseLeave(box, *link); return 0;
        case WM_LBUTTONDOWN: onClick(box, *link); return 0;
        case WM_GETFONT: return (LRESULT)link->font;
        case WM_SETFONT: return 0;
        case WM_SETTEXT: {
            LRESULT result = DefWindowProcW(box, message, wParam, lParam);
            InvalidateRect(box, nullptr, FALSE);
            return result;
        }
        default: return DefWindowProcW(box, message, wParam, lParam);
    }
}
