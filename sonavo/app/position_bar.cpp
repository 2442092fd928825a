#include "sonavo/app/position_bar.h"

#include <algorithm>

#include "common/win32/bitmap_drawing.h"
#include "sonavo/core/deck_face.h"

namespace {

struct Bar {
  WPARAM style = kBarStyleBar;
  int minimum = 0;
  int maximum = 100;
  int position = 0;
  HBITMAP thumb = nullptr;
  HBITMAP erase = nullptr;
  int thumbWidth = 0;
  int thumbHeight = 0;
  bool dragging = false;
};

Bar* Of(HWND window) {
  return reinterpret_cast<Bar*>(GetWindowLongPtrA(window, 0));
}

COLORREF Colour(const sonavo::Rgb& rgb) {
  return RGB(rgb.r, rgb.g, rgb.b);
}

void Paint(HWND window, HDC dc, const Bar& bar) {
  RECT area{};
  GetClientRect(window, &area);
  FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  if (bar.style == kBarStyleSlider && bar.thumb != nullptr) {
    // The groove is the erase bitmap laid along the bar: what lies under the thumb.
    const int top = (area.bottom - bar.thumbHeight) / 2;
    for (int x = 0; bar.erase != nullptr && bar.thumbWidth > 0 && x < area.right;
         x += bar.thumbWidth) {
      DrawBitmapAt(dc, bar.erase, x, top);
    }
    RECT groove{0, area.bottom / 2 - 2, area.right, area.bottom / 2 + 2};
    DrawEdge(dc, &groove, EDGE_SUNKEN, BF_RECT);
    const int left =
        sonavo::ThumbLeft(bar.position, area.right, bar.thumbWidth, bar.minimum, bar.maximum);
    DrawBitmapAt(dc, bar.thumb, left, top);
    return;
  }
  HBRUSH lit = CreateSolidBrush(Colour(sonavo::kLitColour));
  FrameRect(dc, &area, lit);
  RECT elapsed = area;
  InflateRect(&elapsed, -2, -2);
  elapsed.right = elapsed.left + sonavo::ElapsedWidth(bar.position, elapsed.right - elapsed.left,
                                                      bar.minimum, bar.maximum);
  FillRect(dc, &elapsed, lit);
  DeleteObject(lit);
}

void SetPosition(HWND window, Bar& bar, int position) {
  if (position == bar.position) return;
  bar.position = position;
  InvalidateRect(window, nullptr, FALSE);
}

// The position under the pointer, sent to the parent as a drag step.
void Drag(HWND window, Bar& bar, int x, WORD code) {
  RECT area{};
  GetClientRect(window, &area);
  const int position =
      sonavo::SliderPosition(x, area.right, bar.thumbWidth, bar.minimum, bar.maximum);
  const bool moved = position != bar.position;
  SetPosition(window, bar, position);
  if (moved || code == SB_THUMBPOSITION) {
    SendMessageA(GetParent(window), WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(bar.position)),
                 reinterpret_cast<LPARAM>(window));
  }
}

LRESULT CALLBACK BarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(new Bar));
  Bar* bar = Of(window);
  if (bar == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case kBarSetMin:
      bar->minimum = static_cast<int>(lParam);
      if (bar->maximum < bar->minimum) bar->maximum = bar->minimum;
      SetPosition(window, *bar, std::max(bar->position, bar->minimum));
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case kBarSetMax:
      bar->maximum = std::max(static_cast<int>(lParam), bar->minimum);
      SetPosition(window, *bar, std::min(bar->position, bar->maximum));
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case kBarSetPos:
      // A drag in progress keeps the thumb where the pointer has it.
      if (!bar->dragging) SetPosition(window, *bar, static_cast<int>(lParam));
      return 0;
    case kBarGetPos:
      // Whole: a scroll message's 16 bits cannot hold a long file's position.
      return bar->position;
    case kBarSetThumb: {
      bar->thumb = reinterpret_cast<HBITMAP>(wParam);
      bar->erase = reinterpret_cast<HBITMAP>(lParam);
      BITMAP facts{};
      if (bar->thumb != nullptr && GetObjectA(bar->thumb, sizeof(facts), &facts) != 0) {
        bar->thumbWidth = facts.bmWidth;
        bar->thumbHeight = facts.bmHeight;
      }
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    }
    case kBarSetStyle:
      bar->style = wParam;
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
      SetCapture(window);
      bar->dragging = true;
      Drag(window, *bar, static_cast<short>(LOWORD(lParam)), SB_THUMBTRACK);
      return 0;
    case WM_MOUSEMOVE:
      if (bar->dragging) Drag(window, *bar, static_cast<short>(LOWORD(lParam)), SB_THUMBTRACK);
      return 0;
    case WM_LBUTTONUP:
      if (bar->dragging) {
        bar->dragging = false;
        ReleaseCapture();
        Drag(window, *bar, static_cast<short>(LOWORD(lParam)), SB_THUMBPOSITION);
      }
      return 0;
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
      bar->dragging = false;
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      Paint(window, dc, *bar);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_NCDESTROY:
      delete bar;
      SetWindowLongPtrA(window, 0, 0);
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool RegisterPositionBarClass(HINSTANCE instance, HCURSOR hand) {
  WNDCLASSA bar{};
  bar.lpfnWndProc = BarProc;
  bar.cbWndExtra = 36;
  bar.hInstance = instance;
  bar.hCursor = hand;
  bar.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  bar.lpszClassName = kPositionBarClass;
  return RegisterClassA(&bar) != 0;
}
