// Texts of the fatal-error box, composed without touching the operating system.
#pragma once
#include <string>

// "运行时出错!" and two line breaks, then the code part and the message part when each is not empty.
std::string fatalErrorText(const std::string& code, const std::string& message);
// Message for an input function that cannot be found; an empty `library` leaves the library out.
std::string missingFunctionText(const std::string& library, const std::string& function);
