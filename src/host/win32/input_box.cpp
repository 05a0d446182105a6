// The modal input box that asks for a script name.
#include <windows.h>

#include "host/host.h"
#include "host/win32/dialog_template.h"
#include "host/win32/utf.h"

namespace {

constexpr WORD kEditId = 100;
constexpr WORD kPromptId = 101;
constexpr WORD kPanelId = 0xFFFF;

struct InputBoxTexts {
    std::wstring initial;
    std::wstring typed;
};

std::vector<WORD> inputBoxTemplate(const std::wstring& prompt, const std::wstring& caption) {
    const DWORD child = WS_CHILD | WS_VISIBLE;
    // The prompt comes first so that it lies above the panel, which leaves it unpainted.
    const DialogItem items[] = {
        {child | SS_LEFT | SS_NOPREFIX, 12, 11, 229, 27, kPromptId, kStaticClass, prompt.c_str()},
        {child | SS_SUNKEN | WS_CLIPSIBLINGS, 7, 7, 238, 35, kPanelId, kStaticClass, L""},
        {child | WS_BORDER | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, 7, 45, 238, 12, kEditId, kEditClass, L""},
        {child | WS_TABSTOP | BS_DEFPUSHBUTTON, 63, 66, 55, 19, IDOK, kButtonClass, L"确认输入(&O)"},
        {child | WS_TABSTOP | BS_PUSHBUTTON, 134, 66, 55, 19, IDCANCEL, kButtonClass, L"取消(&C)"},
    };
    DialogFrame frame = {DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 252, 92, caption, 9,
                         L"宋体"};
    return dialogTemplate(frame, items, sizeof items / sizeof items[0]);
}

INT_PTR onInitDialog(HWND dialog, InputBoxTexts* texts) {
    SetWindowLongPtrW(dialog, DWLP_USER, (LONG_PTR)texts);
    HWND edit = GetDlgItem(dialog, kEditId);
    SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
    SetWindowTextW(edit, texts->initial.c_str());
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    return FALSE;  // the focus is set
}

INT_PTR onConfirm(HWND dialog) {
    auto* texts = (InputBoxTexts*)GetWindowLongPtrW(dialog, DWLP_USER);
    HWND edit = GetDlgItem(dialog, kEditId);
    std::wstring typed(GetWindowTextLengthW(edit) + 1, L'\0');
    typed.resize(GetWindowTextW(edit, &typed[0], (int)typed.size()));
    texts->typed = typed;
    EndDialog(dialog, IDOK);
    return TRUE;
}

INT_PTR CALLBACK inputBoxProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(dialog, (InputBoxTexts*)lParam);
    case WM_COMMAND:
        // Esc and the close box arrive as IDCANCEL, Enter as IDOK (the default button).
        if (LOWORD(wParam) == IDOK) return onConfirm(dialog);
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

bool inputBox(const std::string& prompt, const std::string& title, const std::string& initialText,
              std::string& text) {
    std::vector<WORD> layout = inputBoxTemplate(widen(prompt), widen(title.empty() ? "请输入：" : title));
    InputBoxTexts texts = {widen(initialText), std::wstring()};
    // Owned by the program's active window, which stays disabled while the box is open.
    INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), (const DLGTEMPLATE*)layout.data(),
                                             GetActiveWindow(), inputBoxProcedure, (LPARAM)&texts);
    if (result != IDOK) return false;
    text = narrow(texts.typed);
    return true;
}
