#pragma once
// Rewind and Forward repeat while held: a press sends the deck one step (WM_HSCROLL with
// SB_LINELEFT or SB_LINERIGHT, lParam the position bar), then after 250 ms a step every 50 ms
// while the pointer stays over the button; the release sends SB_ENDSCROLL.

#include <windows.h>

// Subclasses the button; `code` is the step it sends, `bar` the position bar it names.
void MakeAutoRepeat(HWND button, WORD code, HWND bar);
