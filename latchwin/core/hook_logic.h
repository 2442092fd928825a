#pragma once
// What Latchwin's hooks decide, apart from the window system: the parameters every process
// shares, the panning position read from the S3 CRT controller, centring in the viewport, the
// caption and class tests and the hot keys.

#include <cstdint>
#include <functional>
#include <string_view>

#include "common/display/port_io.h"
#include "common/interop/suite_names.h"
#include "common/settings/marovane_settings.h"

namespace latchwin {

// A window, hook or instance handle, widened to the pointer size of the platform.
using Handle = std::uintptr_t;

// One copy for the whole system; fields in their interface order.
struct SharedParameters {
  Handle moduleHandle;
  Handle commandWindow;
  std::uint32_t launchModifiers;
  std::uint32_t launchKey;
  std::uint32_t panModifiers;
  std::uint32_t panKey;
  Handle popupHook;
  Handle keyboardHook;
  Handle shellHook;
  Handle callWndRetHook;
  std::int32_t viewportWidth;
  std::int32_t viewportHeight;
  std::uint32_t centreTopLevel;
  Handle taskSwitchWindow;
};

// SetDllParms: index 0-5 one field each, 6 the viewport (width in bits 0-15, height in bits
// 16-31); other indexes are ignored.
void SetParameter(SharedParameters& parameters, std::uint32_t index, std::uint32_t value);

// Only the first key-down of a stroke counts: no auto-repeat (bit 30), no release (bit 31).
inline bool IsFirstKeyDown(int code, std::uint32_t keyFlags) {
  return code >= 0 && (keyFlags & 0xC0000000u) == 0;
}

// Whether the key is one of the two hot keys' at all: the cheap test before the modifiers are
// asked for.
inline bool MayBeHotKey(const SharedParameters& parameters, std::uint32_t key) {
  return key != 0 && (key == parameters.panKey || key == parameters.launchKey);
}

// The command a key with these modifiers sends, or 0. The pan lock wins when both are equal;
// a key of 0 never matches.
int HotKeyCommand(const SharedParameters& parameters, std::uint32_t key, std::uint32_t modifiers);

// The call-window-return hook's test, made after every message sent anywhere: two comparisons,
// and the chip is read only when both hold.
inline bool ShowsTaskSwitchWindow(const SharedParameters& parameters, Handle window,
                                  std::uint32_t message) {
  constexpr std::uint32_t kShowWindow = 0x0018;
  return window == parameters.taskSwitchWindow && message == kShowWindow;
}

struct Point {
  int x;
  int y;
};

struct Rect {
  int left;
  int top;
  int right;
  int bottom;

  bool operator==(const Rect& other) const {
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
  }
};

// The desktop coordinates of the viewport's top-left corner, from the start address and line
// width in the CRT controller at 0x3D4 (the extended registers are unlocked and left so).
// A zero line width or colour depth gives (0, 0).
Point ReadViewportOrigin(PortIo& ports, int bitsPerPixel);

// The rectangle moved into the middle of the viewport, unless `force` is off and it lies wholly
// inside already; a rectangle larger than the viewport starts at the viewport's edge.
Rect CentreInViewport(const Rect& rect, bool force, Point origin, int viewportWidth,
                      int viewportHeight);

// Dialog boxes are windows of this class, in exactly this spelling.
bool IsDialogClass(std::string_view className);
// Read from the first 18 characters of the caption: DOS boxes are never moved.
bool IsDosBox(std::string_view shortCaption);
// Vistrel's sheet and Trayvel's status window are always centred while panning.
bool IsAlwaysCentred(std::string_view caption);

// The install rule of the four hooks: on installs once (a failure leaves 0 to try again later),
// off removes an installed hook; repeating either is harmless.
void SwitchHook(Handle& stored, bool on, const std::function<Handle()>& install,
                const std::function<void(Handle)>& remove);

}  // namespace latchwin
