// The process's message loop with the main window's accelerators (Ctrl+S, Ctrl+I, Ctrl+F,
// Ctrl+A, Ctrl+Z and Delete become commands of the main window, not keys of the lists).
#pragma once

#include <windows.h>

// Translates one message: an accelerator goes to the window as a command, anything else is
// translated and dispatched.
void TranslateAndDispatch(MSG& message, HWND window, HACCEL accelerators);

// Runs until the quit message and returns its value.
int RunMessageLoop(HWND window, HINSTANCE instance);
