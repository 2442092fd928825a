#include "common/framework/modal_dialog.h"

INT_PTR ModalDialog::DoModal(HWND parent) {
  return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), parent,
                         DialogProc, reinterpret_cast<LPARAM>(this));
}

void ModalDialog::OnCommand(int id, int code, std::function<void()> handler) {
  commands_.Add(id, code, std::move(handler));
}

void ModalDialog::End(INT_PTR result) {
  EndDialog(window_, result);
}

void ModalDialog::CentreOnParent() {
  RECT dialog{};
  RECT owner{};
  GetWindowRect(window_, &dialog);
  HWND parent = GetParent(window_);
  if (parent == nullptr) parent = GetDesktopWindow();
  GetWindowRect(parent, &owner);
  const int width = dialog.right - dialog.left;
  const int height = dialog.bottom - dialog.top;
  SetWindowPos(window_, nullptr, (owner.left + owner.right - width) / 2,
               (owner.top + owner.bottom - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void ModalDialog::OnOK() {
  ExchangeValues(false);
  End(IDOK);
}

void ModalDialog::ExchangeValues(bool toControls) {
  ValueExchange exchange(window_, toControls);
  Exchange(exchange);
}

INT_PTR CALLBACK ModalDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(window, DWLP_USER, lParam);
    reinterpret_cast<ModalDialog*>(lParam)->window_ = window;
  }
  auto* dialog = reinterpret_cast<ModalDialog*>(GetWindowLongPtrA(window, DWLP_USER));
  return dialog == nullptr ? FALSE : dialog->Dispatch(message, wParam, lParam);
}

INT_PTR ModalDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ExchangeValues(true);
    OnInitDialog();
    return TRUE;
  }
  if (message == WM_COMMAND) {
    const int id = LOWORD(wParam);
    if (commands_.Run(id, HIWORD(wParam))) return TRUE;
    if (id == IDOK) {
      OnOK();
      return TRUE;
    }
    if (id == IDCANCEL) {
      OnCancel();
      return TRUE;
    }
  }
  return OnMessage(message, wParam, lParam);
}
