#include "common/framework/dialog.h"

#include "common/framework/application.h"

HINSTANCE Dialog::Module() {
  HMODULE module = nullptr;
  GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCSTR>(&Dialog::DialogProc), &module);
  return module;
}

INT_PTR CALLBACK Dialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Route(window, reinterpret_cast<Dialog*>(lParam), message, wParam, lParam);
}

INT_PTR Dialog::Route(HWND window, Dialog* dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
    dialog->window_ = window;
  }
  auto* attached = reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
  return attached == nullptr ? FALSE : attached->Dispatch(message, wParam, lParam);
}

void Dialog::OnCommand(int id, int code, std::function<void()> handler) {
  commands_.Add(id, code, std::move(handler));
}

void Dialog::CentreOnParent() {
  RECT dialog{};
  RECT owner{};
  GetWindowRect(window_, &dialog);
  HWND parent = GetParent(window_);
  if (parent == nullptr) parent = GetDesktopWindow();
  GetWindowRect(parent, &owner);
  const int width = dialog.right - dialog.left;
  const int height = dialog.bottom - dialog.top;
  SetWindowPos(window_, nullptr, (owner.left + owner.right - width) / 2,
               (owner.top + owner.bottom - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void Dialog::ExchangeValues(bool toControls) {
  ValueExchange exchange(window_, toControls);
  Exchange(exchange);
}

void Dialog::OnHelp() {
  Application::Current().OnHelp(window_, static_cast<ULONG_PTR>(templateId_));
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      // The lists are filled first, so that a stored value finds its item.
      OnInitDialog();
      ExchangeValues(true);
      return TRUE;
    case WM_COMMAND:
      if (commands_.Run(LOWORD(wParam), HIWORD(wParam))) return TRUE;
      return OnOtherCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window_, &paint);
      OnPaint(dc);
      EndPaint(window_, &paint);
      return TRUE;
    }
    case WM_TIMER:
      OnTimer(wParam);
      return TRUE;
    case WM_DRAWITEM:
      return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_HELP:
      OnHelp();
      return TRUE;
    case WM_DESTROY:
      OnDestroy();
      window_ = nullptr;
      return FALSE;
  }
  return OnMessage(message, wParam, lParam);
}
