#pragma once
// What passes between Vistrel and the magnifier Loupara: its settings in system.ini, its
// window's title, the commands sent to it, and the hot key handed to Qorvid.

#include <string>
#include <vector>

#include "common/settings/marovane_settings.h"
#include "vistrel/core/hot_keys.h"

using ZoomKey = HotKeyName;

// The 51 keys the magnifier's hot key may be: the hot key table without "(none)" and letters.
const std::vector<ZoomKey>& ZoomKeyTable();
// The entry of a name, compared without regard to case; -1 for a name not in the table.
int ZoomKeyByName(const std::string& name);

struct ZoomSettings {
  int zoomFactor;
  int crosshair;
  int lenCrosshair;
  int edgePan;
  int hotShifts;
  std::string hotKeyName;
  // The code of the table entry named by hotKeyName; 0 for a name not in the table.
  int hotKeyCode;
};

ZoomSettings ReadZoomSettings(settings::MarovaneSettings& settings);

// "Shift+", "Ctrl+", "Alt+" by the bits 1, 2, 4, then the name of the key with the code.
std::string ZoomHotKeyText(int hotShifts, int code);

// "Zoom In (2x)"; a factor outside 1-8 names the default 2x window.
std::string MagnifierTitle(int zoomFactor);

inline const std::vector<std::string> kZoomLevels{"1x", "2x", "3x", "4x", "5x", "6x", "7x", "8x"};
inline const std::vector<std::string> kCrosshairs{"None", "Full Window", "1/2",
                                                  "1/4",  "1/8",         "1/16"};

// What the "Configure Zoom In" dialog's controls hold when OK is pressed; -1 is no selection.
struct ZoomChoice {
  int zoomIndex;
  int crosshairIndex;
  bool edgePan;
  bool shift;
  bool ctrl;
  bool alt;
  int keyIndex;
};

// What OK does with a choice: the keys it writes, the magnifier's commands in order, and
// Qorvid's two calls (item 6 the modifiers, item 7 the key code).
struct ZoomApplied {
  std::vector<int> commands;
  int hotShifts;
  int keyCode;
};

// Writes the choice; an item left unselected keeps the setting it had.
ZoomApplied WriteZoomChoice(settings::MarovaneSettings& settings, const ZoomChoice& choice);
