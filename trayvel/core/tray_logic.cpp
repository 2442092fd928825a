#include "trayvel/core/tray_logic.h"

#include <vector>

#include "common/text/number_text.h"

namespace trayvel {
namespace {

void HandOverHotKey(Latchwin& latchwin, int value, names::DllParameter modifiers,
                    names::DllParameter key) {
  latchwin.SetDllParms(modifiers, static_cast<std::uint32_t>(value & settings::kHotKeyModifiers));
  latchwin.SetDllParms(key, static_cast<std::uint32_t>(value & settings::kHotKeyCode));
}

}  // namespace

Viewport CheckViewport(const std::string& screenResolution, int screenWidth, int screenHeight) {
  if (screenResolution.empty()) return {false, screenWidth, screenHeight};
  const std::vector<int> size = text::ScanIntList(screenResolution, {screenWidth, screenHeight});
  const bool panning = size[0] != screenWidth || size[1] != screenHeight;
  return {panning, size[0], size[1]};
}

std::uint32_t PackViewport(int width, int height) {
  return (static_cast<std::uint32_t>(height) & 0xFFFF) << 16 |
         (static_cast<std::uint32_t>(width) & 0xFFFF);
}

void Reconfigure(settings::MarovaneSettings& settings, int screenWidth, int screenHeight,
                 Latchwin& latchwin) {
  HandOverHotKey(latchwin, settings.Read(settings::kHotKeyVistrel), names::kLaunchModifiers,
                 names::kLaunchKey);
  const Viewport viewport =
      CheckViewport(settings.Read(settings::kScreenResolutionText), screenWidth, screenHeight);
  if (!viewport.panning) {
    latchwin.SetDllParms(names::kPanModifiers, 0);
    latchwin.SetDllParms(names::kPanKey, 0);
    latchwin.SetDllParms(names::kCentreTopLevel, 0);
    latchwin.InstallPopupFilter(false);
    latchwin.InstallShellHook(false);
    latchwin.InstallCallWndRetHook(false);
    return;
  }
  HandOverHotKey(latchwin, settings.Read(settings::kHotKeyPan), names::kPanModifiers,
                 names::kPanKey);
  latchwin.InstallShellHook(true);
  // The shell hook centres Vistrel and the status window in this viewport even without
  // centring of other windows, so it always gets the new size.
  latchwin.SetDllParms(names::kViewportSize, PackViewport(viewport.width, viewport.height));
  const bool centre = settings.Read(settings::kLatchwin) != 0;
  latchwin.SetDllParms(names::kCentreTopLevel, centre ? 1 : 0);
  latchwin.InstallPopupFilter(centre);
  latchwin.InstallCallWndRetHook(centre);
}

std::string VistrelFolder(const std::string& programDir) {
  const bool endsWithSeparator = !programDir.empty() && programDir.back() == '\\';
  return programDir + (endsWithSeparator ? "VISTREL" : "\\VISTREL");
}

std::string VistrelProgram(const std::string& programDir) {
  return VistrelFolder(programDir) + "\\" + names::kVistrelProgram;
}

std::string StartMenuGroup(const std::string& programsFolder, const std::string& toolsFolder) {
  return programsFolder + "\\" + toolsFolder;
}

void ForgetInstallation(settings::MarovaneSettings& settings) {
  settings.Delete(settings::kInitialInstall.key);
  settings.Delete(settings::kRefresh.key);
  settings.Delete(settings::kRefreshRate);
}

bool StatusAnimation::Tick() {
  ++ticks_;
  if (ticks_ <= 3) icon_ += locking_ ? 1 : -1;
  return ticks_ >= kLastTick;
}

}  // namespace trayvel
