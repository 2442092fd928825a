#include "common/framework/value_exchange.h"

namespace {

std::string ControlText(HWND control) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(control)) + 1, '\0');
  const int length = GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

}  // namespace

void ValueExchange::Text(int id, std::string& value) {
  HWND control = GetDlgItem(page_, id);
  if (toControls_) {
    SetWindowTextA(control, value.c_str());
  } else {
    value = ControlText(control);
  }
}

void ValueExchange::ComboString(int id, std::string& value) {
  HWND combo = GetDlgItem(page_, id);
  if (toControls_) {
    // A text no item has goes into the edit field of a combo box that has one.
    const LRESULT item = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(value.c_str()));
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    if (item == CB_ERR) SetWindowTextA(combo, value.c_str());
    return;
  }
  const LRESULT item = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (item == CB_ERR) {
    value = ControlText(combo);
    return;
  }
  std::string text(static_cast<std::size_t>(SendMessageA(combo, CB_GETLBTEXTLEN, item, 0)) + 1,
                   '\0');
  const LRESULT length =
      SendMessageA(combo, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text.data()));
  text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  value = text;
}
