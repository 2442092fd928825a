#pragma once
// The Zoom In page: the magnifier's hot key, OK to find or start the magnifier, Configure...
// for its settings; and the "Configure Zoom In" dialog.

#include <windows.h>

#include "common/framework/modal_dialog.h"
#include "common/framework/property_page.h"
#include "common/settings/marovane_settings.h"
#include "common/win32/win32_profile.h"

class ZoomConfigDialog : public ModalDialog {
 public:
  explicit ZoomConfigDialog(settings::MarovaneSettings& settings);

 protected:
  void OnInitDialog() override;
  void OnOK() override;

 private:
  int Selection(int comboId) const;

  settings::MarovaneSettings& settings_;
  // The magnifier found when the dialog started; only it gets the new settings as commands.
  HWND magnifier_ = nullptr;
};

class CPPage5 : public PropertyPage {
 public:
  CPPage5();

 protected:
  void OnPaint(HDC dc) override;

 private:
  void FindOrStartMagnifier();

  Win32Profile systemIni_{settings::kSystemIni};
  settings::MarovaneSettings settings_{systemIni_};
  HWND magnifier_ = nullptr;
};
