#pragma once
// A modal dialog on a template: the same message map and value exchange as a property page.
// OK takes the values back from the controls and closes with IDOK; Cancel closes with IDCANCEL.

#include <windows.h>

#include <functional>

#include "common/framework/command_map.h"
#include "common/framework/value_exchange.h"

class ModalDialog {
 public:
  explicit ModalDialog(int templateId) : templateId_(templateId) {}
  virtual ~ModalDialog() = default;
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

  INT_PTR DoModal(HWND parent);
  HWND Window() const { return window_; }

 protected:
  void OnCommand(int id, int code, std::function<void()> handler);
  // Closes with `result`.
  void End(INT_PTR result);
  // Centres the dialog on its owner (or on the screen without one).
  void CentreOnParent();

  virtual void OnInitDialog() {}
  virtual void Exchange(ValueExchange& /*exchange*/) {}
  virtual void OnOK();
  virtual void OnCancel() { End(IDCANCEL); }
  // Any other message; TRUE when handled.
  virtual INT_PTR OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {
    return FALSE;
  }

  void ExchangeValues(bool toControls);

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  int templateId_;
  HWND window_ = nullptr;
  CommandMap commands_;
};
