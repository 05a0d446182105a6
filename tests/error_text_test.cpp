// The fatal-error box's text and the missing-function messages, byte for byte.
#include <gtest/gtest.h>

#include "host/error_text.h"

TEST(FatalErrorText, PartsAppearOnlyWhenGiven) {
    struct Case {
        const char* code;
        const char* message;
        const char* expected;
    };
    const Case cases[] = {
        {"", "载入启动窗口失败", "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n"},
        {"7", "不能整除于零", "运行时出错!\r\n\r\n错误代码：7\r\n\r\n错误信息：不能整除于零\r\n"},
        {"7", "", "运行时出错!\r\n\r\n错误代码：7\r\n\r\n"},
        {"", "", "运行时出错!\r\n\r\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fatalErrorText(c.code, c.message), c.expected) << c.code << "|" << c.message;
    }
}

TEST(MissingFunctionText, NamesLibraryOnlyWhenKnown) {
    EXPECT_EQ(missingFunctionText("user32.dll", "GetAsyncKeyState"),
              "无法找到指定DLL库文件“user32.dll”中的输出命令“GetAsyncKeyState”");
    EXPECT_EQ(missingFunctionText("", "keybd_event"), "无法找到指定DLL库文件中的输出命令“keybd_event”");
}
