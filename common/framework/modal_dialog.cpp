#include "common/framework/modal_dialog.h"

INT_PTR ModalDialog::DoModal(HWND parent) {
  return DialogBoxParamA(Module(), MAKEINTRESOURCEA(TemplateId()), parent, DialogProc,
                         reinterpret_cast<LPARAM>(static_cast<Dialog*>(this)));
}

void ModalDialog::End(INT_PTR result) {
  EndDialog(Window(), result);
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
