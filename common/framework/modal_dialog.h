#pragma once
// A modal dialog on a template. OK takes the values back from the controls and closes with
// IDOK; Cancel closes with IDCANCEL.

#include <windows.h>

#include "common/framework/dialog.h"

class ModalDialog : public Dialog {
 public:
  explicit ModalDialog(int templateId) : Dialog(templateId) {}

  INT_PTR DoModal(HWND parent);

 protected:
  // Closes with `result`.
  void End(INT_PTR result);

  virtual void OnOK();
  virtual void OnCancel() { End(IDCANCEL); }
  INT_PTR OnOtherCommand(int id, int code) override;
};
