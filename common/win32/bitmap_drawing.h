#pragma once
// Bitmap resources drawn into a device context, as pages and owner-drawn buttons paint them.

#include <windows.h>

// The bitmap resource `name` of `module` stretched over `area`, or, unless `stretch`, copied at
// its own size and centred in it. Nothing when the resource is missing.
void DrawBitmap(HDC dc, HINSTANCE module, LPCSTR name, const RECT& area, bool stretch = true);
// A loaded bitmap copied at its own size with its top-left corner at (x, y).
void DrawBitmapAt(HDC dc, HBITMAP bitmap, int x, int y);
// An owner-drawn push button whose faces are bitmaps named after its caption: "UP" shows "UPU"
// raised and "UPD" pressed, with the focus rectangle inside.
void DrawBitmapButton(const DRAWITEMSTRUCT& item);
// Realizes `palette` in `dc` (as a background palette when asked) and leaves the DC's own
// selected again; the number of system palette entries that changed.
UINT RealizePaletteIn(HDC dc, HPALETTE palette, bool background);
