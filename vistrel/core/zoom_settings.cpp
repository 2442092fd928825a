#include "vistrel/core/zoom_settings.h"
#include "common/interop/suite_names.h"

#include <strings.h>

namespace {

constexpr int kDefaultZoom = 2;
constexpr int kDefaultLength = 3;

std::vector<ZoomKey> BuildTable() {
  std::vector<ZoomKey> table;
  for (const HotKeyName& key : HotKeyTable()) {
    const bool letter = key.code >= 'A' && key.code <= 'Z';
    if (key.code != 0 && !letter) table.push_back(key);
  }
  return table;
}

bool InRange(int index, std::size_t size) {
  return index >= 0 && static_cast<std::size_t>(index) < size;
}

}  // namespace

const std::vector<ZoomKey>& ZoomKeyTable() {
  static const std::vector<ZoomKey> table = BuildTable();
  return table;
}

int ZoomKeyByName(const std::string& name) {
  const auto& table = ZoomKeyTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (strcasecmp(table[i].name.c_str(), name.c_str()) == 0) return static_cast<int>(i);
  }
  return -1;
}

ZoomSettings ReadZoomSettings(settings::MarovaneSettings& settings) {
  ZoomSettings zoom{settings.Read(settings::kZoomFactor),
                    settings.Read(settings::kCrosshair),
                    settings.Read(settings::kLenCrosshair),
                    settings.Read(settings::kEdgePan),
                    settings.Read(settings::kHotShifts),
                    settings.Read(settings::kHotKeyZoom),
                    0};
  const int entry = ZoomKeyByName(zoom.hotKeyName);
  if (entry >= 0) zoom.hotKeyCode = ZoomKeyTable()[static_cast<std::size_t>(entry)].code;
  return zoom;
}

std::string ZoomHotKeyText(int hotShifts, int code) {
  std::string text;
  if (hotShifts & 1) text += "Shift+";
  if (hotShifts & 2) text += "Ctrl+";
  if (hotShifts & 4) text += "Alt+";
  for (const ZoomKey& key : ZoomKeyTable()) {
    if (key.code == code) return text + key.name;
  }
  return text;
}

std::string MagnifierTitle(int zoomFactor) {
  const int factor = zoomFactor >= 1 && zoomFactor <= 8 ? zoomFactor : kDefaultZoom;
  return "Zoom In (" + std::to_string(factor) + "x)";
}

ZoomApplied WriteZoomChoice(settings::MarovaneSettings& settings, const ZoomChoice& choice) {
  ZoomSettings zoom = ReadZoomSettings(settings);
  // Values no list holds are not sent on: the defaults take their place.
  if (zoom.zoomFactor < 1 || zoom.zoomFactor > 8) zoom.zoomFactor = kDefaultZoom;
  if (zoom.lenCrosshair < 0 || zoom.lenCrosshair > 4) zoom.lenCrosshair = kDefaultLength;
  if (InRange(choice.zoomIndex, kZoomLevels.size())) zoom.zoomFactor = choice.zoomIndex + 1;
  settings.Write(settings::kZoomFactor, zoom.zoomFactor);
  if (InRange(choice.crosshairIndex, kCrosshairs.size())) {
    zoom.crosshair = choice.crosshairIndex != 0;
    if (zoom.crosshair) {
      zoom.lenCrosshair = choice.crosshairIndex - 1;
      settings.Write(settings::kLenCrosshair, zoom.lenCrosshair);
    }
  }
  settings.Write(settings::kCrosshair, zoom.crosshair != 0);
  zoom.edgePan = choice.edgePan;
  settings.Write(settings::kEdgePan, zoom.edgePan);

  ZoomApplied applied;
  applied.commands = {names::kMagnifierZoom1x + zoom.zoomFactor - 1,
                      zoom.edgePan ? names::kMagnifierEdgePan : names::kMagnifierFollowPointer,
                      zoom.crosshair ? names::kMagnifierCrosshairFull + zoom.lenCrosshair
                                     : names::kMagnifierNoCrosshair};
  applied.hotShifts = (choice.shift ? 1 : 0) | (choice.ctrl ? 2 : 0) | (choice.alt ? 4 : 0);
  settings.Write(settings::kHotShifts, applied.hotShifts);
  applied.keyCode = zoom.hotKeyCode;
  if (InRange(choice.keyIndex, ZoomKeyTable().size())) {
    applied.keyCode = ZoomKeyTable()[static_cast<std::size_t>(choice.keyIndex)].code;
  }
  // The first entry with the code names it.
  for (const ZoomKey& key : ZoomKeyTable()) {
    if (key.code == applied.keyCode) {
      settings.Write(settings::kHotKeyZoom, key.name);
      break;
    }
  }
  return applied;
}
