#pragma once
// Applying the Display Configuration page: the options handed to Trayvel and the driver, then
// a new mode set at once and tested, or a restart asked for; and what is put back when the
// user declines or does not confirm.

#include <string>
#include <vector>

#include "vistrel/core/display_configuration.h"

// What applying does to the world outside the page.
class ApplyActions {
 public:
  enum class Box { NotSupported, RestartQuestion, ChangeNotice, Restored };

  virtual ~ApplyActions() = default;
  // Trayvel's command window, command 3 (remove the icon) or 4 (add it).
  virtual void SendTrayCommand(int command) = 0;
  virtual void StartTrayvel() = 0;
  virtual void SendPanLockEscape(bool locked) = 0;
  // True for Yes or OK.
  virtual bool Ask(Box box, const std::string& text) = 0;
  // ChangeDisplaySettingsA with the mode's depth, width and height; its result.
  virtual long ChangeDisplaySettings(const ModeRecord& mode) = 0;
  // False when the program or the log-off could not be started.
  virtual bool StartRestartProgram() = 0;
  virtual bool LogOff() = 0;
  virtual void Beep() = 0;
  // The ten-second test; true when the user confirmed.
  virtual bool RunVideoTest() = 0;
};

enum class RestartKind { None = 0, ColourDepth = 1, FontSize = 2 };

// "Mode selected: 800x600 / 1024x768, 256 Color, 75 Hz refresh rate, 48 kHz scan rate." after
// the prefix and a blank line; an "Auto" rate leaves the scan rate out. `strings` gives the
// string resources.
std::string DescribeMode(const std::string& prefix, int viewportWidth, int viewportHeight,
                         int desktopWidth, int refreshCode, int colourDepth,
                         const std::vector<RefreshEntry>& refreshList, PageControls& strings);

// The mode set in between when the mode itself stays but its rate changes: 800 wide for a
// 1024-wide desktop, else 1024 wide, or 640 wide when that has no mode at the depth; -1 if none.
int BounceMode(const ModeList& modes, int desktopWidth, int bitsPerPixel);

class ModeChange {
 public:
  ModeChange(DisplayConfiguration& page, settings::MarovaneSettings& settings,
             RegistryApi& registry, PageControls& controls, ApplyActions& actions)
      : page_(page),
        settings_(settings),
        registry_(registry),
        controls_(controls),
        actions_(actions) {}

  // The page's apply operation.
  void Apply();

 private:
  void ChangeMode(int position, RestartKind kind);
  void WriteViewport(int viewportArea, int desktopArea);
  void RestoreChoice();
  void RestoreMode();

  DisplayConfiguration& page_;
  settings::MarovaneSettings& settings_;
  RegistryApi& registry_;
  PageControls& controls_;
  ApplyActions& actions_;
};
