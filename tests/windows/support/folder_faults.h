// Faults laid on a folder from the Linux side, for tests of what a program does when it cannot write:
// a folder made unwritable in the first way this machine enforces, and a tiny file system mounted on it.
#pragma once
#include <string>

namespace rig {

struct FolderFault {
    std::wstring folder;   // Windows path
    std::string unixPath;  // where Wine keeps it
    std::string way;       // how it was laid: "read-only attribute", "chmod a-w", "chattr +i",
                           // "read-only bind mount", "tmpfs"; empty when none is in force
};

// Tries, in turn, the read-only attribute, chmod a-w, chattr +i and a read-only bind mount of `folder`,
// each followed by an attempt to create a file in it from this process; keeps the first that makes the
// attempt fail. `measured` says, one line each, what every way tried did. False when none worked.
bool makeUnwritable(const std::wstring& folder, FolderFault& fault, std::string& measured);
// Mounts an empty tmpfs of `bytes` on the existing `folder`; false (with why in `measured`) when the
// mount is not possible here, for one because it needs root.
bool mountSmallDisk(const std::wstring& folder, int bytes, FolderFault& fault, std::string& measured);
// Undoes whatever `fault` laid on its folder; false when that did not work.
bool removeFault(FolderFault& fault);

}  // namespace rig
