#pragma once
// The display modes the card offers and the monitor can show, indexed by the display driver's
// mode number; modes beyond the monitor's maximum are empty slots.

#include <cstdint>
#include <optional>
#include <vector>

#include "common/settings/marovane_settings.h"

struct ModeRecord {
  std::uint32_t width;
  std::uint32_t height;
  std::uint32_t bitsPerPixel;
};

// What the page asks of the display driver.
class DisplayDriverApi {
 public:
  virtual ~DisplayDriverApi() = default;
  // EnumDisplaySettingsA with no device name: false past the last mode.
  virtual bool EnumMode(int modeNumber, ModeRecord* mode) = 0;
  virtual int ScreenWidth() = 0;
  virtual int ScreenDepth() = 0;
};

struct ModeEntry {
  int modeNumber;
  ModeRecord mode;
  // Of the last ChangeDisplaySettingsA made with the mode.
  long lastResult;
};

class ModeList {
 public:
  // Built anew: the driver's modes up to the monitor's maximum.
  void Build(DisplayDriverApi& driver, settings::Size monitorMaximum);
  // The first entry, in mode-number order, of this width and depth; -1 if none.
  int Find(std::uint32_t width, std::uint32_t bitsPerPixel) const;
  // How many of the widths 640, 800, 1024, 1280 and 1600 have a mode at the depth.
  int CountWidths(std::uint32_t bitsPerPixel) const;
  ModeEntry* Entry(int position);

 private:
  std::vector<std::optional<ModeEntry>> entries_;
};
