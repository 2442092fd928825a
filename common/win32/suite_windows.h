#pragma once
// Finding the suite's programs by their windows, and what their windows share.

#include <windows.h>

#include <cstdint>
#include <optional>

// The first top-level window of the class that has a "DEVICE" property of `device` (any window
// of the class when `device` is not given); nullptr when there is none.
HWND FindSuiteWindow(const char* className, std::optional<std::uintptr_t> device);

// The bottom-right corner of the window's normal place (where it stands when neither minimized
// nor maximized), which the media programs keep as their "WindowPos".
POINT NormalBottomRight(HWND window);

// "mybutton": the system's button with the program's hand cursor and no background, for the
// owner-drawn buttons of the media programs.
bool RegisterHandButtonClass(HINSTANCE instance, HCURSOR hand);
