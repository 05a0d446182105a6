// What the main window's events run: the created handler, the hot-key timer, buttons, list, spinners.
#pragma once
#include "app/controls.h"

void onWindowCreated();
// The window is about to be destroyed: the program ends here with exit code 0.
void onWindowDestroyed();
void onHotKeyTick();
// A push button was clicked.
void onButtonClicked(Control button);
// The user selected an entry of the script list (never raised by filling or clearing it).
void onScriptSelected();
// An arrow of a spinner was pressed (or auto-repeated).
void onSpinnerPressed(Control spinner, bool up);

void stepPause(bool up);
void stepPasses(bool up);
