#include "common/framework/property_page.h"

#include <commctrl.h>

#include "common/framework/application.h"

namespace {

std::string ControlText(HWND control) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(control)) + 1, '\0');
  const int length = GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

}  // namespace

void ValueExchange::Text(int id, std::string& value) {
  HWND control = GetDlgItem(page_, id);
  if (toControls_) {
    SetWindowTextA(control, value.c_str());
  } else {
    value = ControlText(control);
  }
}

void ValueExchange::ComboString(int id, std::string& value) {
  HWND combo = GetDlgItem(page_, id);
  if (toControls_) {
    SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(value.c_str()));
    return;
  }
  const LRESULT item = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (item == CB_ERR) {
    value = ControlText(combo);
    return;
  }
  std::string text(static_cast<std::size_t>(SendMessageA(combo, CB_GETLBTEXTLEN, item, 0)) + 1,
                   '\0');
  const LRESULT length =
      SendMessageA(combo, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text.data()));
  text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  value = text;
}

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
  commands_.push_back({id, code, std::move(handler)});
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
      if (RunCommand(LOWORD(wParam), HIWORD(wParam))) return TRUE;
      break;
    case WM_NOTIFY:
      return OnNotify(wParam, lParam);
    case WM_HELP:
      Application::Current().OnHelp(window_, static_cast<ULONG_PTR>(templateId_));
      return TRUE;
    case WM_DESTROY:
      window_ = nullptr;
      break;
  }
  return OnMessage(message, wParam, lParam);
}

bool PropertyPage::RunCommand(int id, int code) {
  for (const CommandEntry& entry : commands_) {
    if (entry.id == id && entry.code == code) {
      entry.handler();
      return true;
    }
  }
  return false;
}

INT_PTR PropertyPage::OnNotify(WPARAM wParam, LPARAM lParam) {
  switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
    case PSN_SETACTIVE:
      // The first activation follows the initialisation, which has just filled the controls.
      if (shown_) ExchangeValues(true);
      shown_ = true;
      OnSetActive();
      SetWindowLongPtrA(window_, DWLP_MSGRESULT, 0);
      return TRUE;
    case PSN_KILLACTIVE:
      ExchangeValues(false);
      OnKillActive();
      SetWindowLongPtrA(window_, DWLP_MSGRESULT, FALSE);
      return TRUE;
    case PSN_APPLY:
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
