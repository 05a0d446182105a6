// The ".htm" open command as a command line for a web address.
#include "app/browser_command.h"

#include <gtest/gtest.h>

TEST(BrowserCommandLine, CutsBeforeThePlaceholderAndAppendsTheAddress) {
    struct Case {
        const char* registered;
        const char* expected;
    };
    const Case cases[] = {
        {"\"C:\\Web\\browser.exe\" \"%1\"", "\"C:\\Web\\browser.exe\"  https://a.example.org/"},
        {"\"C:\\Web\\browser.exe\" %1", "\"C:\\Web\\browser.exe\"  https://a.example.org/"},
        {"C:\\Web\\browser.exe -nohome \"%1\" -new", "C:\\Web\\browser.exe -nohome  https://a.example.org/"},
        {"\"C:\\Web\\browser.exe\"", "\"C:\\Web\\browser.exe\" https://a.example.org/"},
        {"\"C:\\Web\\browser.exe\" -url \"%1\"", "\"C:\\Web\\browser.exe\" -url  https://a.example.org/"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(browserCommandLine(c.registered, "https://a.example.org/"), c.expected) << c.registered;
}
