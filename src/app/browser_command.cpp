// The fallback for opening a web address: the registered ".htm" open command made into a command line.
#include "app/browser_command.h"

#include <algorithm>

std::string browserCommandLine(const std::string& registered, const std::string& address) {
    std::string command = registered.substr(0, registered.find("%1"));
    if (std::count(command.begin(), command.end(), '"') % 2 == 1 && command.back() == '"') command.pop_back();
    return command + " " + address;
}
