#pragma once
// A modal property sheet with the standard OK, Cancel and Apply buttons, or a wizard with Back,
// Next and Cancel, built from its pages in the order they were added; the first is selected at
// start.

#include <windows.h>

#include <string>
#include <vector>

#include "common/framework/property_page.h"

class ModalPropertySheet {
 public:
  explicit ModalPropertySheet(std::string caption) : caption_(std::move(caption)) {}
  virtual ~ModalPropertySheet() = default;
  ModalPropertySheet(const ModalPropertySheet&) = delete;
  ModalPropertySheet& operator=(const ModalPropertySheet&) = delete;

  void AddPage(PropertyPage& page) { pages_.push_back(&page); }
  // Shows the pages one after the other, each titling the window, instead of as tabs.
  void SetWizardMode() { wizard_ = true; }
  // A Help button on the sheet, which asks the page shown for its help (as F1 does).
  void ShowHelpButton() { help_ = true; }
  void RemovePage(PropertyPage& page);
  const std::vector<PropertyPage*>& Pages() const { return pages_; }

  // Shows the sheet over `owner` (none by default) and returns when it closes: IDOK or
  // IDCANCEL.
  INT_PTR DoModal(HINSTANCE instance, HWND owner = nullptr);

 private:
  std::string caption_;
  std::vector<PropertyPage*> pages_;
  bool wizard_ = false;
  bool help_ = false;
};
