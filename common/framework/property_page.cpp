#include "common/framework/property_page.h"

#include <commctrl.h>

#include "common/framework/application.h"

PROPSHEETPAGEA PropertyPage::Describe(HINSTANCE instance) {
  PROPSHEETPAGEA page{};
  page.dwSize = sizeof(page);
  page.dwFlags = PSP_DEFAULT;
  page.hInstance = instance;
  page.pszTemplate = MAKEINTRESOURCEA(templateId_);
  page.pfnDlgProc = DialogProc;
  page.lParam = reinterpret_cast<LPARAM>(this);
  return page;
}

void PropertyPage::SetModified(bool changed) {
  HWND sheet = GetParent(window_);
  SendMessageA(sheet, changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(window_), 0);
}

void PropertyPage::OnCommand(int id, int code, std::function<void()> handler) {
  commands_.Add(id, code, std::move(handler));
}

INT_PTR CALLBACK PropertyPage::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* page = reinterpret_cast<PropertyPage*>(reinterpret_cast<PROPSHEETPAGEA*>(lParam)->lParam);
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(page));
    page->window_ = window;
  }
  auto* page = reinterpret_cast<PropertyPage*>(GetWindowLongPtrA(window, DWLP_USER));
  return page == nullptr ? FALSE : page->Dispatch(message, wParam, lParam);
}

INT_PTR PropertyPage::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      // The stored values first; the page's own initialisation may then fill the controls.
      ExchangeValues(true);
      OnInitDialog();
      return TRUE;
    case WM_COMMAND:
      if (commands_.Run(LOWORD(wParam), HIWORD(wParam))) return TRUE;
      break;
    case WM_NOTIFY:
      return OnNotify(wParam, lParam);
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window_, &paint);
      OnPaint(dc);
      EndPaint(window_, &paint);
      return TRUE;
    }
    case WM_HELP:
      Application::Current().OnHelp(window_, static_cast<ULONG_PTR>(templateId_));
      return TRUE;
    case WM_DESTROY:
      window_ = nullptr;
      break;
  }
  return OnMessage(message, wParam, lParam);
}

INT_PTR PropertyPage::OnNotify(WPARAM wParam, LPARAM lParam) {
  switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
    case PSN_SETACTIVE:
      // Only a page that was left gets its values back: the first activation follows the
      // initialisation, and the sheet activates the page again after an Apply that may have
      // changed its controls itself.
      if (left_) ExchangeValues(true);
      left_ = false;
      OnSetActive();
      SetWindowLongPtrA(window_, DWLP_MSGRESULT, 0);
      return TRUE;
    case PSN_KILLACTIVE:
      ExchangeValues(false);
      left_ = true;
      OnKillActive();
      SetWindowLongPtrA(window_, DWLP_MSGRESULT, FALSE);
      return TRUE;
    case PSN_APPLY:
      // The sheet asked the page to give up its values for the apply; it was not left.
      left_ = false;
      OnApply();
      SetWindowLongPtrA(window_, DWLP_MSGRESULT, PSNRET_NOERROR);
      return TRUE;
    case PSN_RESET:
      OnCancel();
      return TRUE;
  }
  return OnMessage(WM_NOTIFY, wParam, lParam);
}

void PropertyPage::ExchangeValues(bool toControls) {
  ValueExchange exchange(window_, toControls);
  Exchange(exchange);
}
