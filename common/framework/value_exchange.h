#pragma once
// Values that a page or dialog keeps in members, moved to and from its controls.

#include <windows.h>

#include <string>

// Moves a page's or dialog's values between its members and its controls, in one direction at a
// time.
class ValueExchange {
 public:
  ValueExchange(HWND page, bool toControls) : page_(page), toControls_(toControls) {}
  bool ToControls() const { return toControls_; }
  // The text of an edit or static control.
  void Text(int id, std::string& value);
  // A combo box's string: selects the item of that text (or fills the edit field); back, the
  // selected item's text, or the edit field's without a selection.
  void ComboString(int id, std::string& value);

 private:
  HWND page_;
  bool toControls_;
};
