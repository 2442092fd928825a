#include "sonavo/app/auto_repeat_button.h"

namespace {

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstDelayMs = 250;
constexpr UINT kRepeatMs = 50;
constexpr const char* kState = "AutoRepeat";

struct AutoRepeat {
  WNDPROC button;
  WORD code;
  HWND bar;
  bool held = false;
  bool over = false;  // the pointer on the button, as the captured mouse moves say
};

void Send(HWND button, const AutoRepeat& repeat, WORD code) {
  SendMessageA(GetParent(button), WM_HSCROLL, MAKEWPARAM(code, 0),
               reinterpret_cast<LPARAM>(repeat.bar));
}

bool Inside(HWND button, LPARAM point) {
  RECT area{};
  GetClientRect(button, &area);
  const POINT at{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
  return PtInRect(&area, at) != 0;
}

void Release(HWND button, AutoRepeat& repeat) {
  KillTimer(button, kRepeatTimer);
  repeat.held = false;
  SendMessageA(button, BM_SETSTATE, FALSE, 0);
}

LRESULT CALLBACK AutoRepeatProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* repeat = static_cast<AutoRepeat*>(GetPropA(button, kState));
  if (repeat == nullptr) return DefWindowProcA(button, message, wParam, lParam);
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetFocus(button);
      SetCapture(button);
      repeat->held = true;
      repeat->over = true;
      SendMessageA(button, BM_SETSTATE, TRUE, 0);
      Send(button, *repeat, repeat->code);
      SetTimer(button, kRepeatTimer, kFirstDelayMs, nullptr);
      return 0;
    case WM_TIMER:
      if (wParam != kRepeatTimer) break;
      SetTimer(button, kRepeatTimer, kRepeatMs, nullptr);
      if (repeat->held && repeat->over) Send(button, *repeat, repeat->code);
      return 0;
    case WM_MOUSEMOVE:
      // Off the button the steps pause, and it looks released.
      if (!repeat->held) break;
      repeat->over = Inside(button, lParam);
      SendMessageA(button, BM_SETSTATE, repeat->over, 0);
      return 0;
    case WM_LBUTTONUP:
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
      // The gesture ends however the press ends, so the deck does not stay seeking.
      if (repeat->held) {
        Release(button, *repeat);
        if (GetCapture() == button) ReleaseCapture();
        Send(button, *repeat, SB_ENDSCROLL);
      }
      if (message == WM_CANCELMODE) break;
      return 0;
    case WM_NCDESTROY: {
      const WNDPROC original = repeat->button;
      RemovePropA(button, kState);
      delete repeat;
      return CallWindowProcA(original, button, message, wParam, lParam);
    }
  }
  return CallWindowProcA(repeat->button, button, message, wParam, lParam);
}

}  // namespace

void MakeAutoRepeat(HWND button, WORD code, HWND bar) {
  auto* repeat = new AutoRepeat{nullptr, code, bar};
  SetPropA(button, kState, repeat);
  repeat->button = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AutoRepeatProc)));
}
