// The player: replays the selected script, pass after pass, with its recorded timing.
#pragma once

void play();
// True when the running playback injected a transition of `vk` since the last call for it,
// or still holds it down: such a state is the script's, not the user's.
bool takeInjectedHotKey(int vk);
