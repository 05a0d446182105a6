// The name input box and the message box, driven as a user would.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "host/host.h"
#include "support/find.h"
#include "support/input.h"
#include "support/read.h"
#include "support/utf8.h"
#include "support/wait.h"

namespace {

std::vector<HWND> children(HWND parent, const char* windowClass) {
    std::vector<HWND> found;
    for (HWND child : rig::descendants(parent)) {
        if (rig::classOf(child) == windowClass) found.push_back(child);
    }
    return found;
}

bool hasStaticReading(HWND dialog, const std::string& text) {
    for (HWND label : children(dialog, "Static")) {
        if (rig::textOf(label) == text) return true;
    }
    return false;
}

// A visible dialog-class window of thread `thread` of this process, whatever its caption.
HWND visibleDialogOf(DWORD thread) {
    struct Search {
        DWORD thread;
        HWND found;
    } search = {thread, nullptr};
    EnumThreadWindows(
        thread,
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = (Search*)data;
            if (!IsWindowVisible(window) || rig::classOf(window) != "#32770") return TRUE;
            s->found = window;
            return FALSE;
        },
        (LPARAM)&search);
    return search.found;
}

// A real left click in the middle of `button`. Wine may deliver a late move from an earlier jump of
// the pointer, so the release waits until the button shows itself pushed.
void click(HWND button) {
    rig::Box box = rig::boxOnScreen(button);
    rig::moveMouseTo(box.x + box.width / 2, box.y + box.height / 2);
    EXPECT_TRUE(rig::waitUntil([&] {
        POINT at;
        return GetCursorPos(&at) && WindowFromPoint(at) == button;
    }));
    rig::leftDown();
    EXPECT_TRUE(rig::waitUntil([&] { return (SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }));
    rig::leftUp();
}

// Keys reach the active window only: wait until the box is in front.
bool isInFront(HWND dialog) {
    return rig::waitUntil([&] { return GetForegroundWindow() == dialog; });
}

HWND editOf(HWND dialog) {
    std::vector<HWND> edits = children(dialog, "Edit");
    return edits.size() == 1 ? edits[0] : nullptr;
}

struct Answer {
    bool confirmed;
    std::string text;
};

// Opens a box on this thread (`open` returns when it closes) while `drive` inspects and ends it from
// another thread. A box that does not close is cancelled so that the test fails instead of hanging.
void runWhileOpen(const std::function<void()>& open, const std::function<void(HWND)>& drive) {
    DWORD self = GetCurrentThreadId();
    std::atomic<bool> closed{false};
    std::thread helper([&] {
        HWND dialog = nullptr;
        rig::waitUntil([&] { return closed || (dialog = visibleDialogOf(self)) != nullptr; });
        if (dialog == nullptr) {
            ADD_FAILURE() << "no box opened";
            return;
        }
        drive(dialog);
        if (!rig::waitUntil([&] { return closed.load(); })) {
            ADD_FAILURE() << "the box stayed open";
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    });
    open();
    closed = true;
    helper.join();
}

Answer answerInputBox(const std::string& title, const std::string& initial, const std::function<void(HWND)>& drive) {
    Answer answer = {false, "before"};
    runWhileOpen([&] { answer.confirmed = inputBox("请输入脚本文件名：", title, initial, answer.text); }, drive);
    return answer;
}

void pressEscape(HWND dialog) {
    ASSERT_TRUE(isInFront(dialog));
    rig::tapKey(VK_ESCAPE);
}

const char* const kSuggested = "2011年8月8日13时2分45秒";

HWND makeTopLevelWindow() {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"HostDialogsTestWindow";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(L"HostDialogsTestWindow", L"owner", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    return window;
}

TEST(InputBox, OpensWithItsTextsAndTheWholeNameSelected) {
    answerInputBox("保存脚本", kSuggested, [&](HWND dialog) {
        EXPECT_EQ(rig::textOf(dialog), "保存脚本");
        EXPECT_TRUE(hasStaticReading(dialog, "请输入脚本文件名："));
        EXPECT_EQ(rig::textOf(GetDlgItem(dialog, IDOK)), "确认输入(&O)");
        EXPECT_EQ(rig::textOf(GetDlgItem(dialog, IDCANCEL)), "取消(&C)");
        EXPECT_EQ(SendMessageW(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
        HWND edit = editOf(dialog);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(rig::textOf(edit), kSuggested);
        EXPECT_TRUE(GetWindowLongW(edit, GWL_STYLE) & ES_AUTOHSCROLL);
        size_t length = rig::toWide(kSuggested).size();
        EXPECT_EQ((DWORD)SendMessageW(edit, EM_GETSEL, 0, 0), (DWORD)MAKELONG(0, length));
        EXPECT_TRUE(rig::waitUntil([&] { return rig::focusOf(dialog) == edit; }));
        pressEscape(dialog);
    });
}

TEST(InputBox, PlacesItsControlsInDialogUnits) {
    answerInputBox("保存脚本", "", [&](HWND dialog) {
        RECT client;
        GetClientRect(dialog, &client);
        RECT size = {252, 92, 0, 0};
        MapDialogRect(dialog, &size);
        EXPECT_EQ(client.right, size.left);
        EXPECT_EQ(client.bottom, size.top);
        struct Place {
            HWND control;
            RECT units;  // x, y, width, height: each converted on its own, as the dialog manager does
        };
        std::vector<HWND> labels = children(dialog, "Static");
        HWND prompt = nullptr, panel = nullptr;
        for (HWND label : labels) (rig::textOf(label).empty() ? panel : prompt) = label;
        const Place places[] = {
            {prompt, {12, 11, 229, 27}},
            {panel, {7, 7, 238, 35}},
            {editOf(dialog), {7, 45, 238, 12}},
            {GetDlgItem(dialog, IDOK), {63, 66, 55, 19}},
            {GetDlgItem(dialog, IDCANCEL), {134, 66, 55, 19}},
        };
        for (const Place& place : places) {
            ASSERT_NE(place.control, nullptr);
            RECT expected = place.units;
            MapDialogRect(dialog, &expected);
            RECT actual;
            GetWindowRect(place.control, &actual);
            MapWindowPoints(nullptr, dialog, (POINT*)&actual, 2);
            EXPECT_EQ(actual.left, expected.left) << rig::textOf(place.control);
            EXPECT_EQ(actual.top, expected.top) << rig::textOf(place.control);
            EXPECT_EQ(actual.right - actual.left, expected.right) << rig::textOf(place.control);
            EXPECT_EQ(actual.bottom - actual.top, expected.bottom) << rig::textOf(place.control);
        }
        EXPECT_TRUE(GetWindowLongW(panel, GWL_STYLE) & SS_SUNKEN);
        pressEscape(dialog);
    });
}

TEST(InputBox, WithoutTitleAsksWithTheDefaultCaption) {
    answerInputBox("", "", [&](HWND dialog) {
        EXPECT_EQ(rig::textOf(dialog), "请输入：");
        pressEscape(dialog);
    });
}

TEST(InputBox, EndsTheWayTheUserChooses) {
    struct Ending {
        const char* how;
        std::function<void(HWND)> act;
        bool confirmed;
        const char* text;
    };
    auto type = [](const char* keys, const char* expected) {
        return [=](HWND dialog) {
            ASSERT_TRUE(isInFront(dialog));
            for (const char* key = keys; *key; ++key) rig::tapKey((WORD)*key);
            EXPECT_TRUE(rig::waitUntil([&] { return rig::textOf(editOf(dialog)) == expected; }));
            rig::tapKey(VK_RETURN);
        };
    };
    auto clickButton = [](int id) {
        return [=](HWND dialog) {
            ASSERT_TRUE(isInFront(dialog));
            click(GetDlgItem(dialog, id));
        };
    };
    const Ending endings[] = {
        {"Enter keeps the suggestion", type("", kSuggested), true, kSuggested},
        {"typing replaces the selected suggestion", type("AB", "ab"), true, "ab"},
        {"an emptied field is confirmed too", type("\b", ""), true, ""},
        {"the default button", clickButton(IDOK), true, kSuggested},
        {"Esc", pressEscape, false, "before"},
        {"the cancel button", clickButton(IDCANCEL), false, "before"},
        {"the close box", [](HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }, false, "before"},
    };
    for (const Ending& ending : endings) {
        Answer answer = answerInputBox("保存脚本", kSuggested, ending.act);
        EXPECT_EQ(answer.confirmed, ending.confirmed) << ending.how;
        EXPECT_EQ(answer.text, ending.text) << ending.how;
    }
}

TEST(InputBox, BelongsToTheActiveWindowWhichIsDisabledMeanwhile) {
    HWND owner = makeTopLevelWindow();
    ASSERT_EQ(GetActiveWindow(), owner);
    answerInputBox("保存脚本", kSuggested, [&](HWND dialog) {
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner);
        EXPECT_FALSE(IsWindowEnabled(owner));
        pressEscape(dialog);
    });
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

TEST(InputBox, WithoutActiveWindowHasNoOwner) {
    ASSERT_EQ(GetActiveWindow(), nullptr);
    answerInputBox("保存脚本", kSuggested, [&](HWND dialog) {
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
        pressEscape(dialog);
    });
}

std::atomic<int> ticks{0};

TEST(InputBox, TimersKeepTickingWhileItIsOpen) {
    UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) { ++ticks; });
    answerInputBox("保存脚本", kSuggested, [&](HWND dialog) {
        int before = ticks;
        EXPECT_TRUE(rig::waitUntil([&] { return ticks >= before + 3; }));
        pressEscape(dialog);
    });
    KillTimer(nullptr, timer);
}

TEST(NoticeBox, ShowsTextAndCaptionAndIsTaskModalUnlessSystemModal) {
    struct Case {
        const char* text;
        int flags;
        const char* title;
        const char* caption;
        bool othersDisabled;
        bool topmost;
    };
    const Case cases[] = {
        {"缓冲区已满", kMessageBoxError, "", "信息：", true, false},
        {"缓冲区已满", kMessageBoxError, "提示", "提示", true, false},
        {"全系统", kMessageBoxError | MB_SYSTEMMODAL, "", "信息：", false, true},
    };
    HWND other = makeTopLevelWindow();
    for (const Case& c : cases) {
        runWhileOpen([&] { messageBox(c.text, c.flags, c.title); },
                     [&](HWND box) {
                         EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr) << c.text;
                         EXPECT_EQ(rig::textOf(box), c.caption);
                         EXPECT_TRUE(hasStaticReading(box, c.text)) << c.text;
                         EXPECT_EQ(!IsWindowEnabled(other), c.othersDisabled) << c.text;
                         EXPECT_EQ((GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, c.topmost) << c.text;
                         ASSERT_TRUE(isInFront(box));
                         rig::tapKey(VK_RETURN);
                     });
    }
    EXPECT_TRUE(IsWindowEnabled(other));
    DestroyWindow(other);
}

}  // namespace
