// The player: replays the selected script, pass after pass, with its recorded timing.
#pragma once
#include <cstdint>

void play();
// True when the key state just queried for `vk` comes from the playback's own injections rather
// than from the user: the playback holds the key down, or injected a press of it since the
// previous call for it and the key is up again now.
bool scriptExplainsKeyState(int vk, int16_t state);
