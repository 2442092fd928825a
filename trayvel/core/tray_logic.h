#pragma once
// What Trayvel decides: whether the display pans and with which viewport, how Latchwin is set up
// for it, where Vistrel lies, the pan lock's next state and the status window's animation.

#include <cstdint>
#include <string>

#include "common/interop/suite_names.h"
#include "common/settings/marovane_settings.h"

namespace trayvel {

struct Viewport {
  bool panning;
  int width;
  int height;
};

// `screenResolution` is the key's text, empty when missing; a number that cannot be read keeps
// the screen's. The display pans when the viewport differs from the screen.
Viewport CheckViewport(const std::string& screenResolution, int screenWidth, int screenHeight);

// SetDllParms index 6: height in bits 16-31, width in bits 0-15, each cut to 16 bits.
std::uint32_t PackViewport(int width, int height);

// Latchwin as Trayvel calls it.
class Latchwin {
 public:
  virtual ~Latchwin() = default;
  virtual void SetDllParms(std::uint32_t index, std::uint32_t value) = 0;
  virtual void InstallPopupFilter(bool on) = 0;
  virtual void InstallPanLockFilter(bool on) = 0;
  virtual void InstallShellHook(bool on) = 0;
  virtual void InstallCallWndRetHook(bool on) = 0;
};

// Re-reads the settings and sets Latchwin up for them: the Vistrel hot key always, the pan hot
// key and the centring only while the display pans.
void Reconfigure(settings::MarovaneSettings& settings, int screenWidth, int screenHeight,
                 Latchwin& latchwin);

// Vistrel's folder and program below the installation folder `ProgramDir`.
std::string VistrelFolder(const std::string& programDir);
std::string VistrelProgram(const std::string& programDir);

// The suite's group in the Start menu, below the user's Programs folder.
std::string StartMenuGroup(const std::string& programsFolder, const std::string& toolsFolder);

// After the first start the installation's one-time keys are gone.
void ForgetInstallation(settings::MarovaneSettings& settings);

// Icons 101 (unlocked) to 104 (locked) of the pan-lock picture.
inline constexpr int kUnlockedIcon = 101;
inline constexpr int kLockedIcon = 104;

// The status window's second: ten ticks, the picture moving one frame on each of the first
// three, towards locked or towards unlocked.
class StatusAnimation {
 public:
  static constexpr int kLastTick = 10;

  explicit StatusAnimation(bool locking)
      : locking_(locking), icon_(locking ? kUnlockedIcon : kLockedIcon) {}
  int Icon() const { return icon_; }
  // One tick; true when the window's time is over.
  bool Tick();

 private:
  bool locking_;
  int icon_;
  int ticks_ = 0;
};

}  // namespace trayvel
