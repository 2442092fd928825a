#pragma once
// The six pages of Vistrel's sheet, in tab order. Each grows into its own subsystem folder
// (modes/, monitor/, tools/) as its page is built.

#include "common/framework/property_page.h"
#include "vistrel/shell/graphics_channel.h"
#include "vistrel/shell/resource.h"

// The two pages that reach the card each own a graphics control channel, opened as the sheet
// is built.
class CDisplayPg : public PropertyPage {
 public:
  CDisplayPg() : PropertyPage(IDD_DISPLAY_CONFIGURATION) {}

 private:
  GraphicsChannel channel_;
};

class CPPScreen : public PropertyPage {
 public:
  CPPScreen() : PropertyPage(IDD_SCREEN_ADJUSTMENT) {}

 private:
  GraphicsChannel channel_;
};

class CPPage3 : public PropertyPage {
 public:
  CPPage3() : PropertyPage(IDD_REFRESH_RATE_METER) {}
};

class CPPage4 : public PropertyPage {
 public:
  CPPage4() : PropertyPage(IDD_REACH_US) {}
};

class CPPage5 : public PropertyPage {
 public:
  CPPage5() : PropertyPage(IDD_ZOOM_IN) {}
};

class CPPage6 : public PropertyPage {
 public:
  CPPage6() : PropertyPage(IDD_FLEETMARK) {}
};
