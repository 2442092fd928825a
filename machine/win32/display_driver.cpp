#include <algorithm>

#include "common/display/display_escape.h"
#include "common/display/refresh_labels.h"
#include "common/settings/marovane_settings.h"
#include "common/win32/win32_profile.h"
#include "machine/core/display_modes.h"
#include "machine/win32/simulator.h"
#include "machine/win32/system.h"

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

int RefreshCodeFor(std::uint32_t width) {
  Win32Profile systemIni(settings::kSystemIni);
  settings::MarovaneSettings store(systemIni);
  // The monitor shows the viewport when the desktop is larger: its rate is the one set.
  const int viewport = store.ReadScreenResolution().width;
  const bool panned = viewport > 0 && static_cast<std::uint32_t>(viewport) < width;
  return store.ReadRefresh(
      refresh::ResolutionIndex(panned ? static_cast<std::uint32_t>(viewport) : width));
}

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

void ShowOnDesktop(const DisplayMode& mode) {
  const bool shown = GetSystemMetrics(SM_CXSCREEN) == static_cast<int>(mode.width) &&
                     GetSystemMetrics(SM_CYSCREEN) == static_cast<int>(mode.height);
  if (shown) return;
  DEVMODEA desktop{};
  desktop.dmSize = sizeof(desktop);
  desktop.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  desktop.dmPelsWidth = mode.width;
  desktop.dmPelsHeight = mode.height;
  ::ChangeDisplaySettingsA(&desktop, 0);
}

LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) {
  SharedState* state = State();
  if (state == nullptr) return DISP_CHANGE_FAILED;
  // No mode: back to the registry's mode, which the machine never left.
  if (mode == nullptr) return DISP_CHANGE_SUCCESSFUL;
  ChangeResult result;
  DisplayMode requested;
  {
    StateLock lock;
    requested = Requested(*mode, state->display.current);
    if (flags & CDS_TEST) {
      DisplayState untouched = state->display;
      return static_cast<LONG>(ChangeMode(untouched, requested, state->card.memoryKb));
    }
    // The driver sets the rate that the `Refresh` key holds for the new width.
    result = ApplyModeChange(*state, requested, flags, RefreshCodeFor(requested.width));
  }
  // Outside the lock: the windows told of the change may well ask the machine themselves.
  if (result == ChangeResult::Successful) ShowOnDesktop(requested);
  return static_cast<LONG>(result);
}

void PanViewport(std::uint32_t x, std::uint32_t y) {
  SharedState* state = State();
  if (state == nullptr) return;
  StateLock lock;
  Card(state->card.registers, nullptr).SetViewportOrigin(state->display.current, x, y);
}

void FollowPointer(POINT cursor) {
  SharedState* state = State();
  if (state == nullptr || state->escapes.panLocked) return;
  Win32Profile systemIni(settings::kSystemIni);
  const settings::Size viewport = settings::MarovaneSettings(systemIni).ReadScreenResolution();
  if (viewport.width <= 0 || viewport.height <= 0) return;
  StateLock lock;
  Card card(state->card.registers, nullptr);
  const DisplayMode& desktop = state->display.current;
  const PanPosition origin = card.ViewportOrigin(desktop);
  const PanPosition next = machine::FollowPointer(
      origin, static_cast<std::uint32_t>(viewport.width),
      static_cast<std::uint32_t>(viewport.height), desktop, cursor.x, cursor.y);
  if (!(next == origin)) card.SetViewportOrigin(desktop, next.x, next.y);
}

int ExtEscape(HDC /*dc*/, int escapeNumber, int inputSize, LPCSTR input, int outputSize,
              LPSTR output) {
  SharedState* state = State();
  if (state == nullptr || escapeNumber != escape::kDisplayEscape) return 0;
  StateLock lock;
  Card card(state->card.registers, nullptr);
  const int taken =
      HandleDisplayEscape(state->escapes, card, reinterpret_cast<const std::uint8_t*>(input),
                          inputSize > 0 ? static_cast<std::size_t>(inputSize) : 0);
  if (taken && output != nullptr) {
    const int answered = std::min(outputSize, static_cast<int>(escape::kOutputSize));
    for (int i = 0; i < answered; ++i) output[i] = 0;
  }
  return taken;
}

int GetDeviceCaps(HDC dc, int index) {
  SharedState* state = State();
  if (state != nullptr) {
    const DisplayMode& mode = state->display.current;
    if (index == HORZRES) return static_cast<int>(mode.width);
    if (index == VERTRES) return static_cast<int>(mode.height);
    if (index == BITSPIXEL) return static_cast<int>(mode.bitsPerPixel);
    const bool dpi = index == LOGPIXELSX || index == LOGPIXELSY;
    if (dpi && state->display.fontDpi != 0) return static_cast<int>(state->display.fontDpi);
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
