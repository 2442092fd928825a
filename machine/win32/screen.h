#pragma once
// The simulated PC's screen as a camera sees it.

#include <windows.h>

#include <string>
#include <vector>

namespace machine {

// Saves what the screen shows of the window as a 24-bit BMP file.
bool SaveWindowPicture(HWND window, const std::string& bmpPath);

// The visible top-level windows of processes started from below `folder`.
std::vector<HWND> WindowsOfProgramsIn(const std::string& folder);

}  // namespace machine
