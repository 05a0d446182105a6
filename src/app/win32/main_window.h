// The main window's Win32 pieces shared by the files of this folder.
#pragma once
#include <windows.h>

#include "app/controls.h"

// ---- window classes (window_classes.cpp) and their procedures ----
extern const wchar_t kMainWindowClass[];
extern const wchar_t kHyperlinkClass[];
bool registerWindowClasses(HINSTANCE instance);
LRESULT CALLBACK mainWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK hyperlinkProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

// ---- creation (main_window.cpp, controls_create.cpp) ----
// Creates the main window hidden, with all its controls; null on failure.
HWND createMainWindow(HINSTANCE instance);
// Builds every control of the window; false if one could not be made.
bool createControls(HWND window);

// ---- handles (control_windows.cpp) ----
HWND mainWindow();
void rememberMainWindow(HWND window);
// Null for a name that is not a window control or before creation.
HWND controlWindow(Control c);
void rememberControlWindow(Control c, HWND window);

// ---- looks (control_colours.cpp, shadow_label.cpp, group_box_forward.cpp) ----
// Colours a label, check box, edit box or list box as it asks before painting; returns its brush.
HBRUSH colourControl(HWND control, HDC dc);
void drawShadowLabel(const DRAWITEMSTRUCT& item);
// Makes a group box pass its children's notifications on to the main window.
void forwardGroupBoxNotifications(HWND groupBox);

// ---- keyboard focus (keyboard_focus.cpp) ----
// Moves the focus on Tab or Shift+Tab within the main window; true when `message` was used up.
bool handleTabKey(const MSG& message);
void focusFirstControl();
void rememberFocus();
void restoreFocus();

// ---- messages (message_pump.cpp) ----
// Hands one message to its window, after the main window's keyboard rules.
void dispatchOneMessage(MSG& message);
// Waits for and dispatches messages until WM_QUIT; returns its exit code.
int runMessageLoop();
