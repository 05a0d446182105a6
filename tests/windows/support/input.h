// Real input through SendInput: keys by virtual-key code, absolute mouse moves, clicks.
#pragma once
#include <windows.h>

#include <initializer_list>

namespace rig {

void keyDown(WORD vk);
void keyUp(WORD vk);
void tapKey(WORD vk);
// Presses `vk`, keeps it down `ms` milliseconds, releases it.
void holdKey(WORD vk, int ms);
// Presses the keys in order and releases them in reverse, as for Shift+Tab.
void tapChord(std::initializer_list<WORD> keys);
// Moves the cursor to screen pixel (x, y) of the primary screen.
void moveMouseTo(int x, int y);
void leftDown();
void leftUp();
// Moves to the middle of `window`, waits until the cursor is there, then presses and releases the
// left button; false when the cursor did not arrive.
bool clickMiddleOf(HWND window);
// Makes `window` the foreground window; false when it did not become it.
bool bringToFront(HWND window);

}  // namespace rig
