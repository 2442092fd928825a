#pragma once
// "Configure Options": a property sheet of the six options pages over Jubilo's panel. Each page
// shows its keys of MAROVANE.INI, writes them when applied and tells the running program of its
// kind to read them again.

#include <windows.h>

#include "common/framework/property_page.h"
#include "common/store/profile_store.h"
#include "jubilo/core/options.h"

class OptionsPageDialog : public PropertyPage {
 public:
  OptionsPageDialog(const jubilo::OptionsPage& page, ProfileStore& settings)
      : PropertyPage(page.templateId), page_(page), settings_(settings) {}

 protected:
  void OnInitDialog() override;
  INT_PTR OnOtherCommand(int id, int code) override;
  bool OnKillActive() override;
  bool OnApply() override;

 private:
  jubilo::OptionValues Values() const;
  bool IntroValid() const;
  void EnableShowBoxes();
  void TellProgram() const;

  const jubilo::OptionsPage& page_;
  ProfileStore& settings_;
  bool shown_ = false;
};

// Shows the sheet over the panel until it closes.
void ShowOptionsSheet(HWND panel, ProfileStore& settings);
