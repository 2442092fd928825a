#include "common/win32/subclass.h"

namespace {

constexpr const char* kOwnProc = "MarovaneOwnProc";

}  // namespace

void Subclass(HWND window, WNDPROC proc) {
  if (window == nullptr || GetPropA(window, kOwnProc) != nullptr) return;
  SetPropA(window, kOwnProc,
           reinterpret_cast<HANDLE>(
               SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc))));
}

LRESULT CallOwnProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto own = reinterpret_cast<WNDPROC>(GetPropA(window, kOwnProc));
  if (own == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    RemovePropA(window, kOwnProc);
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
  }
  return CallWindowProcA(own, window, message, wParam, lParam);
}
