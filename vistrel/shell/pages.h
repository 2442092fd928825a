#pragma once
// The six pages of Vistrel's sheet, in tab order, each in its subsystem's folder.

#include "vistrel/modes/display_page.h"
#include "vistrel/monitor/meter_page.h"
#include "vistrel/monitor/screen_page.h"
#include "vistrel/tools/contact_page.h"
#include "vistrel/tools/fleetmark_page.h"
#include "vistrel/tools/zoom_page.h"
