#include "machine/core/display_modes.h"
#include "machine/win32/machine.h"

namespace machine {
namespace {

void Describe(const DisplayMode& mode, DEVMODEA* devMode) {
  *devMode = DEVMODEA{};
  devMode->dmSize = sizeof(DEVMODEA);
  devMode->dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
  devMode->dmPelsWidth = mode.width;
  devMode->dmPelsHeight = mode.height;
  devMode->dmBitsPerPel = mode.bitsPerPixel;
}

// The fields the caller left out of the mask keep the current mode's values.
DisplayMode Requested(const DEVMODEA& devMode, const DisplayMode& current) {
  DisplayMode mode = current;
  if (devMode.dmFields & DM_PELSWIDTH) mode.width = devMode.dmPelsWidth;
  if (devMode.dmFields & DM_PELSHEIGHT) mode.height = devMode.dmPelsHeight;
  if (devMode.dmFields & DM_BITSPERPEL) mode.bitsPerPixel = devMode.dmBitsPerPel;
  return mode;
}

}  // namespace

BOOL EnumDisplaySettingsA(LPCSTR /*deviceName*/, DWORD modeNumber, DEVMODEA* mode) {
  SharedState* state = State();
  if (state == nullptr || mode == nullptr) return FALSE;
  if (modeNumber == ENUM_CURRENT_SETTINGS || modeNumber == ENUM_REGISTRY_SETTINGS) {
    const DisplayState& display = state->display;
    const bool registry = modeNumber == ENUM_REGISTRY_SETTINGS && display.restartPending;
    Describe(registry ? display.afterRestart : display.current, mode);
    return TRUE;
  }
  const auto modes = ModesForMemory(state->card.memoryKb);
  if (modeNumber >= modes.size()) return FALSE;
  Describe(modes[modeNumber], mode);
  return TRUE;
}

LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) {
  SharedState* state = State();
  if (state == nullptr) return DISP_CHANGE_FAILED;
  // No mode: back to the registry's mode, which the machine never left.
  if (mode == nullptr) return DISP_CHANGE_SUCCESSFUL;
  StateLock lock;
  DisplayState display = state->display;
  const auto result = ChangeMode(display, Requested(*mode, display.current), state->card.memoryKb);
  if (!(flags & CDS_TEST)) state->display = display;
  return static_cast<LONG>(result);
}

int GetDeviceCaps(HDC dc, int index) {
  SharedState* state = State();
  if (state != nullptr) {
    const DisplayMode& mode = state->display.current;
    if (index == HORZRES) return static_cast<int>(mode.width);
    if (index == VERTRES) return static_cast<int>(mode.height);
    if (index == BITSPIXEL) return static_cast<int>(mode.bitsPerPixel);
  }
  return ::GetDeviceCaps(dc, index);
}

BOOL ExitWindowsEx(UINT flags, DWORD reason) {
  SharedState* state = State();
  if (state == nullptr) return FALSE;
  StateLock lock;
  RecordPowerRequest(state->power, flags, reason);
  return TRUE;
}

}  // namespace machine
