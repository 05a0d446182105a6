// The scripts folder beside the program: listing, saving, loading and deleting scripts.
#pragma once
#include <string>

// Run directory + "\scripts".
std::string scriptsDir();
// Asks for a name and writes records 1..eventCount to "<name>.mrc".
void saveRecording();
// Fills the script list from the folder; nothing selected, playback and delete disabled.
void refreshList();
// Replaces the buffer with the records of `path`; eventCount 0 when it cannot be read.
void loadScript(const std::string& path);
// Deletes the selected script and refreshes the list.
void deleteSelected();
