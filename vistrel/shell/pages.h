#pragma once
// The six pages of Vistrel's sheet, in tab order, each in its subsystem's folder.

#include "vistrel/modes/display_page.h"
#include "vistrel/monitor/refresh_meter_page.h"
#include "vistrel/monitor/screen_adjustment_page.h"
#include "vistrel/tools/fleetmark_page.h"
#include "vistrel/tools/reach_us_page.h"
#include "vistrel/tools/zoom_page.h"
