// Texts of the fatal-error box.
#include "host/error_text.h"

std::string fatalErrorText(const std::string& code, const std::string& message) {
    std::string text = "运行时出错!\r\n\r\n";
    if (!code.empty()) text += "错误代码：" + code + "\r\n\r\n";
    if (!message.empty()) text += "错误信息：" + message + "\r\n";
    return text;
}

std::string missingFunctionText(const std::string& library, const std::string& function) {
    if (library.empty()) return "无法找到指定DLL库文件中的输出命令“" + function + "”";
    return "无法找到指定DLL库文件“" + library + "”中的输出命令“" + function + "”";
}
