#include "common/framework/property_page.h"

#include <commctrl.h>

PROPSHEETPAGEA PropertyPage::Describe(HINSTANCE instance, bool help) {
  PROPSHEETPAGEA page{};
  page.dwSize = sizeof(page);
  page.dwFlags = PSP_DEFAULT | (help ? PSP_HASHELP : 0);
  page.hInstance = instance;
  page.pszTemplate = MAKEINTRESOURCEA(TemplateId());
  page.pfnDlgProc = PageProc;
  page.lParam = reinterpret_cast<LPARAM>(static_cast<Dialog*>(this));
  return page;
}

void PropertyPage::SetModified(bool changed) {
  HWND sheet = GetParent(Window());
  SendMessageA(sheet, changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(Window()), 0);
}

void PropertyPage::SetWizardButtons(DWORD buttons) {
  PostMessageA(GetParent(Window()), PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(buttons));
}

// A page's creation parameter is its PROPSHEETPAGE, which carries the page.
INT_PTR CALLBACK PropertyPage::PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* page = message == WM_INITDIALOG
                     ? reinterpret_cast<Dialog*>(reinterpret_cast<PROPSHEETPAGEA*>(lParam)->lParam)
                     : nullptr;
  return Route(window, page, message, wParam, lParam);
}

INT_PTR PropertyPage::Answer(LONG_PTR result) {
  SetWindowLongPtrA(Window(), DWLP_MSGRESULT, result);
  return TRUE;
}

INT_PTR PropertyPage::OnNotify(const NMHDR& header) {
  switch (header.code) {
    case PSN_SETACTIVE:
      // Only a page that was left gets its values back: the first activation follows the
      // initialisation, and the sheet activates the page again after an Apply that may have
      // changed its controls itself.
      if (left_) ExchangeValues(true);
      left_ = false;
      OnSetActive();
      return Answer(0);
    case PSN_KILLACTIVE:
      ExchangeValues(false);
      if (!OnKillActive()) return Answer(TRUE);
      left_ = true;
      return Answer(FALSE);
    case PSN_APPLY:
      // The sheet asked the page to give up its values for the apply; it was not left.
      left_ = false;
      return Answer(OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE);
    case PSN_WIZNEXT:
      ExchangeValues(false);
      return Answer(OnWizardNext() ? 0 : -1);
    case PSN_RESET:
      OnCancel();
      return TRUE;
    case PSN_HELP:
      OnHelp();
      return TRUE;
  }
  return FALSE;
}
