#include "common/framework/modal_dialog.h"

INT_PTR ModalDialog::DoModal(HWND parent) {
  return DialogBoxParamA(Module(), MAKEINTRESOURCEA(TemplateId()), parent, DialogProc,
                         reinterpret_cast<LPARAM>(static_cast<Dialog*>(this)));
}

void ModalDialog::End(INT_PTR result) {
  EndDialog(Window(), result);
}

void ModalDialog::CentreOnParent() {
  RECT dialog{};
  RECT owner{};
  GetWindowRect(Window(), &dialog);
  HWND parent = GetParent(Window());
  if (parent == nullptr) parent = GetDesktopWindow();
  GetWindowRect(parent, &owner);
  const int width = dialog.right - dialog.left;
  const int height = dialog.bottom - dialog.top;
  SetWindowPos(Window(), nullptr, (owner.left + owner.right - width) / 2,
               (owner.top + owner.bottom - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void ModalDialog::OnOK() {
  ExchangeValues(false);
  End(IDOK);
}

INT_PTR ModalDialog::OnOtherCommand(int id, int /*code*/) {
  if (id == IDOK) {
    OnOK();
    return TRUE;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return TRUE;
  }
  return FALSE;
}
