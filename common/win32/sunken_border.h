#pragma once
// The two-pixel sunken border the pages draw around their panels: grey on the left and top,
// white on the right and bottom.

#include <windows.h>

inline void DrawSunkenBorder(HDC dc, const RECT& panel) {
  HPEN grey = CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
  HGDIOBJ old = SelectObject(dc, grey);
  for (int i = 0; i < 2; ++i) {
    SelectObject(dc, grey);
    MoveToEx(dc, panel.left + i, panel.bottom - i - 1, nullptr);
    LineTo(dc, panel.left + i, panel.top + i);
    LineTo(dc, panel.right - i, panel.top + i);
    SelectObject(dc, GetStockObject(WHITE_PEN));
    LineTo(dc, panel.right - i, panel.bottom - i);
    LineTo(dc, panel.left + i - 1, panel.bottom - i);
  }
  SelectObject(dc, old);
  DeleteObject(grey);
}
