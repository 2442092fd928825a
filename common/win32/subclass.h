#pragma once
// A control's own window procedure with another in front of it, which handles what it needs
// and hands the rest on.

#include <windows.h>

// Puts `proc` in front of the window's procedure (once a window).
void Subclass(HWND window, WNDPROC proc);
// The window's own procedure's answer; when the window goes, its own procedure is put back.
LRESULT CallOwnProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
