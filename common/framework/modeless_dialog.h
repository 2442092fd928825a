#pragma once
// A modeless dialog on a template, created hidden unless the template shows it; the program
// runs its messages until it is destroyed. Cancel (Esc, the close box) destroys it.

#include <windows.h>

#include <functional>

#include "common/framework/dialog.h"

class ModelessDialog : public Dialog {
 public:
  explicit ModelessDialog(int templateId) : Dialog(templateId) {}

  // False when the dialog cannot be created (or destroyed itself while starting).
  bool Create(HWND parent);
  // The thread's messages until the dialog is destroyed; `alsoDialog` names another window
  // whose dialog keys work too (nullptr for none).
  void RunMessageLoop(const std::function<HWND()>& alsoDialog);

 protected:
  void End();
  virtual void OnCancel() { End(); }
  INT_PTR OnOtherCommand(int id, int code) override;
};
