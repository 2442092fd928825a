#include "common/framework/modeless_dialog.h"

bool ModelessDialog::Create(HWND parent) {
  HWND window = CreateDialogParamA(Module(), MAKEINTRESOURCEA(TemplateId()), parent, DialogProc,
                                   reinterpret_cast<LPARAM>(static_cast<Dialog*>(this)));
  return window != nullptr && IsWindow(window);
}

void ModelessDialog::RunMessageLoop(const std::function<HWND()>& alsoDialog) {
  MSG message;
  while (Window() != nullptr && GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (Window() != nullptr && IsDialogMessageA(Window(), &message)) continue;
    HWND other = alsoDialog ? alsoDialog() : nullptr;
    if (other != nullptr && IsDialogMessageA(other, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void ModelessDialog::End() {
  if (Window() != nullptr) DestroyWindow(Window());
}

INT_PTR ModelessDialog::OnOtherCommand(int id, int /*code*/) {
  if (id != IDCANCEL) return FALSE;
  OnCancel();
  return TRUE;
}
