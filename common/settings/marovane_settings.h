#pragma once
// The [Marovane] section of system.ini, which Vistrel, Trayvel, Latchwin and the display driver
// share. Every key is named here once with its format, default and buffer; every read goes to
// the file again, since the other programs write the same keys at any time.

#include <cstddef>
#include <string>
#include <vector>

#include "common/store/profile_store.h"

namespace settings {

inline constexpr const char* kSystemIni = "system.ini";
inline constexpr const char* kSection = "Marovane";
// Beside it, system.ini [boot] display.drv names the display driver Windows loads.
inline constexpr const char* kBootSection = "boot";
inline constexpr const char* kDisplayDriver = "display.drv";

struct IntSetting {
  const char* key;
  int defaultValue;
};

struct TextSetting {
  const char* key;
  const char* defaultText;
  std::size_t bufferSize;
};

struct ListSetting {
  std::string key;
  const char* defaultText;
  std::size_t bufferSize;
};

// Flags are 0 or 1.
inline constexpr IntSetting kTaskbarIcon{"TaskbarIcon", 1};
inline constexpr IntSetting kLatchwin{"Latchwin", 0};
inline constexpr IntSetting kPanLock{"PanLock", 0};
// Hot keys: virtual-key code in bits 0-7, plus 0x100 Shift, 0x200 Ctrl, 0x400 Alt; 0 is none.
inline constexpr IntSetting kHotKeyPan{"HotKeyPan", 0};
inline constexpr IntSetting kHotKeyVistrel{"HotKeyVistrel", 0};
inline constexpr int kHotKeyShift = 0x100;
inline constexpr int kHotKeyCtrl = 0x200;
inline constexpr int kHotKeyAlt = 0x400;
inline constexpr int kHotKeyModifiers = 0xFF00;
inline constexpr int kHotKeyCode = 0xFF;
// The magnifier's settings.
inline constexpr IntSetting kZoomFactor{"ZoomFactor", 2};
inline constexpr IntSetting kCrosshair{"Crosshair", 1};
inline constexpr IntSetting kLenCrosshair{"LenCrosshair", 3};
inline constexpr IntSetting kEdgePan{"EdgePan", 0};
inline constexpr IntSetting kHotShifts{"HotShifts", 4};
inline constexpr TextSetting kHotKeyZoom{"HotKeyZoom", "1", 50};
// Written by the set-up program; read by Trayvel and Jubilo.
inline constexpr TextSetting kToolsFolder{"ToolsFolder", "", 260};
inline constexpr TextSetting kProgramDir{"ProgramDir", "", 260};
// Read and deleted by Trayvel on its first start after installation.
inline constexpr IntSetting kInitialInstall{"InitialInstall", 0};
inline constexpr const char* kRefreshRate = "RefreshRate";

// Viewport width and height; "0,0" is no separate viewport.
inline const ListSetting kScreenResolution{"ScreenResolution", "0,0", 20};
// The same key as Trayvel reads it: the text itself, empty when missing.
inline constexpr TextSetting kScreenResolutionText{"ScreenResolution", "", 80};
// One refresh code per resolution slot; -1 is "Auto".
inline const ListSetting kRefresh{"Refresh", "-1,-1,-1,-1,-1,-1", 30};

// The CRT timing adjustment of one screen width and chip, for example "C1024-764":
// nine values, -1 meaning not adjusted.
ListSetting TimingSetting(int screenWidth, const std::string& chipSuffix);

// Resolution index 0-4 (640, 800, 1024, 1280, 1600 wide) to its slot of `Refresh`; slot 3
// belongs to the 1152-wide resolution, which Vistrel does not offer. -1 for other indexes.
int RefreshSlot(int resolutionIndex);

struct Size {
  int width;
  int height;
};

class MarovaneSettings {
 public:
  explicit MarovaneSettings(ProfileStore& systemIni) : profile_(systemIni) {}

  int Read(const IntSetting& setting);
  void Write(const IntSetting& setting, int value);
  std::string Read(const TextSetting& setting);
  void Write(const TextSetting& setting, const std::string& value);
  // Always as many numbers as the default text holds; missing or garbage ones are the default's.
  std::vector<int> Read(const ListSetting& setting);
  void Write(const ListSetting& setting, const std::vector<int>& values);
  void Delete(const std::string& key);

  Size ReadScreenResolution();
  // Width 0 deletes the key: there is no separate viewport.
  void WriteScreenResolution(int width, int height);
  int ReadRefresh(int resolutionIndex);
  void WriteRefresh(int resolutionIndex, int code);

 private:
  ProfileStore& profile_;
};

}  // namespace settings
