#pragma once
// The simulated PC's screen as a camera sees it.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "machine/core/streams_processor.h"

namespace machine {

// Saves what `draw` paints on a device context of this size as a 24-bit BMP file.
bool SaveDrawing(int width, int height, const std::function<void(HDC)>& draw,
                 const std::string& bmpPath);
// What the card sends to the monitor now, for its current mode (an empty picture without a
// state).
Picture CardPictureNow();
// Draws a picture stretched over `place`.
void DrawPicture(HDC dc, const Picture& picture, const RECT& place);

// Saves what the screen shows of the window as a 24-bit BMP file.
bool SaveWindowPicture(HWND window, const std::string& bmpPath);
// Has the window and its children paint what they show, and waits (at most `timeoutMs`) until
// they have: a picture taken sooner shows what was there before.
void WaitUntilPainted(HWND window, DWORD timeoutMs);

// The visible top-level windows of processes whose program's path begins with `pathPrefix`
// (a folder ending in a backslash, or one program's path).
std::vector<HWND> WindowsOfPrograms(const std::string& pathPrefix);

}  // namespace machine
