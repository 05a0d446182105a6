// Linux-side commands from a test running under Wine: the Unix path of a Windows path, and a shell
// command run to its end with its exit status and output.
#pragma once
#include <string>

namespace rig {

// The Unix path that Wine maps `windowsPath` to; empty when not running under Wine.
std::string unixPathOf(const std::wstring& windowsPath);

struct ShellResult {
    bool finished = false;  // false when it could not start or did not end in time
    int status = -1;        // the shell's exit status
    std::string output;     // its standard output and error together
};

// Runs `script` with /bin/sh and waits up to `timeoutMs` for it to end. Wine starts Unix programs
// but gives no process handle to wait on, so the script reports its status through a file.
ShellResult runShell(const std::string& script, int timeoutMs = 30000);

// `text` in single quotes for the shell.
std::string shellQuoted(const std::string& text);

}  // namespace rig
