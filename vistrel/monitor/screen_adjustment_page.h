#pragma once
// The Screen Adjustment page: eight step buttons that move and size the picture on the
// monitor, Undo, Reset and Help; Apply hands the timing to the driver and stores it.

#include <windows.h>

#include "common/framework/property_page.h"
#include "common/settings/marovane_settings.h"
#include "common/win32/win32_profile.h"
#include "machine/win32/system.h"
#include "vistrel/core/screen_adjustment.h"
#include "vistrel/shell/graphics_channel.h"

class CPPScreen : public PropertyPage {
 public:
  CPPScreen();

 protected:
  void OnInitDialog() override;
  void OnSetActive() override { adjustment_.ClearCurrent(); }
  bool OnApply() override;
  void OnCancel() override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  GraphicsChannel channel_;
  machine::DirectPorts direct_;
  ScreenAdjustment adjustment_{channel_, channel_.IsOpen(), direct_};
  Win32Profile systemIni_{settings::kSystemIni};
  settings::MarovaneSettings settings_{systemIni_};
};
