#include "common/framework/property_sheet.h"

#include <algorithm>

void ModalPropertySheet::RemovePage(PropertyPage& page) {
  pages_.erase(std::remove(pages_.begin(), pages_.end(), &page), pages_.end());
}

INT_PTR ModalPropertySheet::DoModal(HINSTANCE instance, HWND owner) {
  std::vector<PROPSHEETPAGEA> pages;
  for (PropertyPage* page : pages_) pages.push_back(page->Describe(instance, help_));

  PROPSHEETHEADERA header{};
  header.dwSize = sizeof(header);
  header.dwFlags = PSH_PROPSHEETPAGE | (wizard_ ? PSH_WIZARD : 0) | (help_ ? PSH_HASHELP : 0);
  header.hwndParent = owner;
  header.hInstance = instance;
  header.pszCaption = caption_.c_str();
  header.nPages = static_cast<UINT>(pages.size());
  header.nStartPage = 0;
  header.ppsp = pages.data();
  return ::PropertySheetA(&header) > 0 ? IDOK : IDCANCEL;
}
