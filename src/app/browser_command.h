// The fallback for opening a web address: the registered ".htm" open command made into a command line.
#pragma once
#include <string>

// `registered` cut before its "%1" placeholder, then a space and `address`. A quoted placeholder
// ("%1") would leave an unclosed quote swallowing the address, so that quote goes too.
std::string browserCommandLine(const std::string& registered, const std::string& address);
