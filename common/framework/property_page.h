#pragma once
// One page of a property sheet: a dialog whose values go to the controls when the page is
// created and activated again after being left, and back from them when it is left.

#include <windows.h>

#include <prsht.h>

#include "common/framework/dialog.h"

class PropertyPage : public Dialog {
 public:
  // The tab shows the template's caption.
  explicit PropertyPage(int templateId) : Dialog(templateId) {}

  // The page as the sheet takes it; with `help`, the sheet's Help button is enabled on it.
  PROPSHEETPAGEA Describe(HINSTANCE instance, bool help);

  // The sheet's Apply button is enabled while any of its pages is marked changed.
  void SetModified(bool changed);

 protected:
  virtual void OnSetActive() {}
  // The page is being left; false keeps it (its controls hold a value it refuses).
  virtual bool OnKillActive() { return true; }
  // Apply or OK, on every page that has been shown; false refuses, and the sheet stays open
  // on this page.
  virtual bool OnApply() { return true; }
  // Cancel or the close box, on every page that has been shown.
  virtual void OnCancel() {}
  // A wizard's Next; false keeps the page.
  virtual bool OnWizardNext() { return true; }
  // Which of a wizard's Back, Next and Finish buttons are enabled (PSWIZB_...).
  void SetWizardButtons(DWORD buttons);
  INT_PTR OnNotify(const NMHDR& header) override;

 private:
  static INT_PTR CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // The page's answer to the sheet.
  INT_PTR Answer(LONG_PTR result);

  bool left_ = false;
};
