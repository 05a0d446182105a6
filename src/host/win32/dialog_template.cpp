// Lays out an in-memory dialog template word by word.
#include "host/win32/dialog_template.h"

namespace {

void putDword(std::vector<WORD>& out, DWORD value) {
    out.push_back(LOWORD(value));
    out.push_back(HIWORD(value));
}

void putText(std::vector<WORD>& out, const wchar_t* text) {
    while (*text) out.push_back((WORD)*text++);
    out.push_back(0);
}

void putBox(std::vector<WORD>& out, short x, short y, short cx, short cy) {
    for (short value : {x, y, cx, cy}) out.push_back((WORD)value);
}

}  // namespace

std::vector<WORD> dialogTemplate(const DialogFrame& frame, const DialogItem* items, size_t count) {
    std::vector<WORD> out;
    putDword(out, frame.style | DS_SETFONT);
    putDword(out, 0);  // extended style
    out.push_back((WORD)count);
    putBox(out, 0, 0, frame.cx, frame.cy);
    out.push_back(0);  // no menu
    out.push_back(0);  // the standard dialog class
    putText(out, frame.caption.c_str());
    out.push_back(frame.pointSize);
    putText(out, frame.font);
    for (size_t i = 0; i < count; ++i) {
        const DialogItem& item = items[i];
        if (out.size() % 2) out.push_back(0);  // each item starts on a DWORD
        putDword(out, item.style);
        putDword(out, 0);
        putBox(out, item.x, item.y, item.cx, item.cy);
        out.push_back(item.id);
        out.push_back(0xFFFF);
        out.push_back(item.controlClass);
        putText(out, item.text);
        out.push_back(0);  // no creation data
    }
    return out;
}
