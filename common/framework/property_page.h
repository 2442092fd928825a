#pragma once
// One page of a property sheet: a dialog template, a message map from control notifications to
// handlers, and values kept in members that are exchanged with the controls: to them when the
// page is created and activated again, back from them when it is left.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include <prsht.h>

#include "common/framework/command_map.h"
#include "common/framework/value_exchange.h"

class PropertyPage {
 public:
  // The tab shows the template's caption.
  explicit PropertyPage(int templateId) : templateId_(templateId) {}
  virtual ~PropertyPage() = default;
  PropertyPage(const PropertyPage&) = delete;
  PropertyPage& operator=(const PropertyPage&) = delete;

  PROPSHEETPAGEA Describe(HINSTANCE instance);
  HWND Window() const { return window_; }
  int TemplateId() const { return templateId_; }

  // The sheet's Apply button is enabled while any of its pages is marked changed.
  void SetModified(bool changed);

 protected:
  // The message map: `handler` runs when control `id` sends notification `code`.
  void OnCommand(int id, int code, std::function<void()> handler);

  virtual void OnInitDialog() {}
  virtual void Exchange(ValueExchange& /*exchange*/) {}
  virtual void OnSetActive() {}
  virtual void OnKillActive() {}
  // Apply or OK, on every page that has been shown; the sheet always closes on OK.
  virtual void OnApply() {}
  // Cancel or the close box, on every page that has been shown.
  virtual void OnCancel() {}
  // Paints the page's own pictures over the dialog's background.
  virtual void OnPaint(HDC /*dc*/) {}
  // Any other message (timers, ...); TRUE when handled.
  virtual INT_PTR OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {
    return FALSE;
  }

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR OnNotify(WPARAM wParam, LPARAM lParam);
  void ExchangeValues(bool toControls);

  int templateId_;
  HWND window_ = nullptr;
  bool left_ = false;
  CommandMap commands_;
};
