#pragma once
// The window classes of the deck, registered once at start: the deck "AVPLAY" (a dialog's
// class under its own name), "mybutton" (the system's button with the hand cursor), the
// position bar "PROGRESS_BAR", the compact deck "DECK_WCLASS" and the video playback window.

#include <windows.h>

// False when one of them cannot be registered: the program then ends.
bool RegisterDeckClasses(HINSTANCE instance);
