// The main window of the Windows build.
//  [x] main_startup: OLE, program folder, floating-point state, exit routine, window,
//      message loop, exit status
//  [x] the window class, frame, size, centred place, icons and font
//  [x] the eight controls of MAIN_WINDOW_CONTROLS, their styles, colours and stacking order
//  [x] the label class, which paints itself and never takes the focus
//  [x] the control operations of app/controls.h
//  [x] the key examination (Tab ring, Esc) and the focus on activation
// Windows are handed over as void*, so that <windows.h> stays out of the callers.
#pragma once

#include "app/controls.h"

// The whole life of the program; returns the exit status.
int main_startup();

// Creates the main window and its controls, shown and activated; null on failure.
void* main_window_create();
void* main_window();
void* control_window(control_id control);

// The message loop, with the key examination; returns the quit code.
int main_window_run_message_loop();

// Whether the main window consumes the key message (an MSG*): Tab, Shift+Tab, Esc.
bool main_window_examine_key(const void* message);

// The class of the labels, registered on first use.
inline constexpr char LABEL_CLASS_NAME[] = "SonvaleBrackwen.Label";
inline constexpr char MAIN_WINDOW_CLASS_NAME[] = "SonvaleBrackwen.MainWindow";

// Control identifiers, the same for every run: the first control of the table has this
// one, and each next control the next number.
inline constexpr int FIRST_CONTROL_ID = 1001;
