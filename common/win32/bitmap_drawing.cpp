#include "common/win32/bitmap_drawing.h"

void DrawBitmapAt(HDC dc, HBITMAP bitmap, int x, int y) {
  if (bitmap == nullptr) return;
  BITMAP info{};
  GetObjectA(bitmap, sizeof(info), &info);
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

void DrawBitmap(HDC dc, HINSTANCE module, LPCSTR name, const RECT& area, bool stretch) {
  HBITMAP bitmap = LoadBitmapA(module, name);
  if (bitmap == nullptr) return;
  BITMAP info{};
  GetObjectA(bitmap, sizeof(info), &info);
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, bitmap);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (stretch) {
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, area.left, area.top, width, height, memory, 0, 0, info.bmWidth, info.bmHeight,
               SRCCOPY);
  } else {
    BitBlt(dc, area.left + (width - info.bmWidth) / 2, area.top + (height - info.bmHeight) / 2,
           info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
  }
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
}

void DrawBitmapButton(const DRAWITEMSTRUCT& item) {
  char caption[16] = "";
  GetWindowTextA(item.hwndItem, caption, sizeof(caption) - 1);
  char name[20] = "";
  wsprintfA(name, "%s%c", caption, (item.itemState & ODS_SELECTED) ? 'D' : 'U');
  DrawBitmap(item.hDC, GetModuleHandleA(nullptr), name, item.rcItem);
  if (item.itemState & ODS_FOCUS) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -4, -4);
    DrawFocusRect(item.hDC, &focus);
  }
}

UINT RealizePaletteIn(HDC dc, HPALETTE palette, bool background) {
  HPALETTE kept = SelectPalette(dc, palette, background);
  const UINT changed = RealizePalette(dc);
  SelectPalette(dc, kept, TRUE);
  return changed;
}
