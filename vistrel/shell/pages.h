#pragma once
// The six pages of Vistrel's sheet, in tab order. Each grows into its own subsystem folder
// (modes/, monitor/, tools/) as its page is built; the Display Configuration,
// Screen Adjustment, Refresh Rate Meter, Reach Us and Fleetmark pages have.

#include "common/framework/property_page.h"
#include "vistrel/modes/display_page.h"
#include "vistrel/monitor/meter_page.h"
#include "vistrel/monitor/screen_page.h"
#include "vistrel/shell/resource.h"
#include "vistrel/tools/contact_page.h"
#include "vistrel/tools/fleetmark_page.h"

class CPPage5 : public PropertyPage {
 public:
  CPPage5() : PropertyPage(IDD_ZOOM_IN) {}
};
