#pragma once
// "Configure Options": a property sheet of the six options pages over Jubilo's panel. Each page
// shows its keys of MAROVANE.INI, writes them when applied and has the panel tell the running
// program of its kind to read them again.

#include <windows.h>

#include "common/framework/property_page.h"
#include "common/store/profile_store.h"
#include "jubilo/core/options.h"

class OptionsPageDialog : public PropertyPage {
 public:
  OptionsPageDialog(const jubilo::OptionsPage& page, ProfileStore& settings, HWND panel)
      : PropertyPage(page.templateId), page_(page), settings_(settings), panel_(panel) {}

 protected:
  void OnInitDialog() override;
  INT_PTR OnOtherCommand(int id, int code) override;
  bool OnKillActive() override;
  bool OnApply() override;

 private:
  jubilo::OptionValues Values() const;
  bool IntroValid() const;
  void EnableShowBoxes();

  const jubilo::OptionsPage& page_;
  ProfileStore& settings_;
  HWND panel_;
  bool shown_ = false;
};

// Shows the sheet over the panel until it closes.
void ShowOptionsSheet(HWND panel, ProfileStore& settings);

// Posted to the panel by an applied page (wParam: the page's kind). The panel tells the program
// once every page has written: a program that read the file while another page rewrote it
// would find it half written.
inline constexpr UINT kOptionsAppliedMsg = WM_APP + 1;
// The running program of a page's kind reads its keys again.
void TellProgramOfPage(int pageKind);
