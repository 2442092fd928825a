#pragma once
// What every dialog of the suite shares, a modal dialog or a property page: one dialog
// procedure that keeps `this`, a message map from control notifications to handlers, values
// kept in members and exchanged with the controls, and virtual handlers for the messages a
// dialog answers.

#include <windows.h>

#include <functional>

#include "common/framework/command_map.h"
#include "common/framework/value_exchange.h"

class Dialog {
 public:
  virtual ~Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  HWND Window() const { return window_; }
  int TemplateId() const { return templateId_; }

 protected:
  explicit Dialog(int templateId) : templateId_(templateId) {}

  // The module whose resources hold the template: the one this code is linked into.
  static HINSTANCE Module();
  // The procedure a dialog box is created with, its creation parameter being the dialog.
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Routes a message to `dialog`, which is attached to `window` on WM_INITDIALOG.
  static INT_PTR Route(HWND window, Dialog* dialog, UINT message, WPARAM wParam, LPARAM lParam);

  // The message map: `handler` runs when control `id` sends notification `code`.
  void OnCommand(int id, int code, std::function<void()> handler);
  void ExchangeValues(bool toControls);
  // Centres the dialog on its owner (or on the screen without one).
  void CentreOnParent();

  // The dialog's own initialisation (filling lists, ...); the values go to the controls after it.
  virtual void OnInitDialog() {}
  virtual void Exchange(ValueExchange& /*exchange*/) {}
  // A command no handler of the map took; TRUE when handled.
  virtual INT_PTR OnOtherCommand(int /*id*/, int /*code*/) { return FALSE; }
  // A notification from a common control; the result goes back to its sender.
  virtual INT_PTR OnNotify(const NMHDR& /*header*/) { return FALSE; }
  // Paints the dialog's own pictures over its background.
  virtual void OnPaint(HDC /*dc*/) {}
  virtual void OnTimer(UINT_PTR /*id*/) {}
  // Draws an owner-drawn control; false when the dialog draws no such control.
  virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
  // F1: the help file's topic for the template, unless the application chooses otherwise.
  virtual void OnHelp();
  virtual void OnDestroy() {}
  // Any other message; TRUE when handled.
  virtual INT_PTR OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {
    return FALSE;
  }

 private:
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  int templateId_;
  HWND window_ = nullptr;
  CommandMap commands_;
};
