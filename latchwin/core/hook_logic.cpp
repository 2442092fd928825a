#include "latchwin/core/hook_logic.h"

#include <cctype>

namespace latchwin {
namespace {

// Bytes per unit of CR13: the enhanced mode's 8, the VGA's double-word, word or byte modes.
std::uint32_t LineWidthUnit(Crtc& crtc, std::uint32_t cr31) {
  if (cr31 & 0x08) return 8;
  if (crtc.Read(0x14) & 0x40) return 8;
  if (crtc.Read(0x17) & 0x08) return 4;
  return 2;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

void SetParameter(SharedParameters& parameters, std::uint32_t index, std::uint32_t value) {
  switch (index) {
    case names::kCommandWindow:
      // A window handle is 32 bits wide on every Windows; it widens as a signed number.
      parameters.commandWindow = static_cast<Handle>(static_cast<std::int32_t>(value));
      break;
    case names::kLaunchModifiers:
      parameters.launchModifiers = value;
      break;
    case names::kLaunchKey:
      parameters.launchKey = value;
      break;
    case names::kPanModifiers:
      parameters.panModifiers = value;
      break;
    case names::kPanKey:
      parameters.panKey = value;
      break;
    case names::kCentreTopLevel:
      parameters.centreTopLevel = value;
      break;
    case names::kViewportSize:
      parameters.viewportWidth = static_cast<std::int32_t>(value & 0xFFFF);
      parameters.viewportHeight = static_cast<std::int32_t>(value >> 16);
      break;
    default:
      break;
  }
}

int HotKeyCommand(const SharedParameters& parameters, std::uint32_t key, std::uint32_t modifiers) {
  if (key == 0) return 0;
  if (key == parameters.panKey && modifiers == parameters.panModifiers)
    return names::kTogglePanLock;
  if (key == parameters.launchKey && modifiers == parameters.launchModifiers) {
    return names::kLaunchVistrel;
  }
  return 0;
}

Point ReadViewportOrigin(PortIo& ports, int bitsPerPixel) {
  ports.OutWord(vga::kColourCrtcIndex, 0x4838);
  ports.OutWord(vga::kColourCrtcIndex, 0xA539);
  Crtc crtc(ports, vga::kColourCrtcIndex);
  auto cr = [&crtc](std::uint8_t index) -> std::uint32_t { return crtc.Read(index); };
  std::uint32_t start = cr(0x0C) << 8 | cr(0x0D);
  const std::uint32_t high = cr(0x69) & 0x0F;
  if (high != 0) {
    start += high << 16;
  } else {
    start += (cr(0x31) & 0x30) << 12;
    start += (cr(0x51) & 0x03) << 18;
  }
  const std::uint32_t offset = start * 4;
  const std::uint32_t unit = LineWidthUnit(crtc, cr(0x31));
  const std::uint32_t low = cr(0x13);
  std::uint32_t highWidth = (cr(0x51) & 0x30) >> 4;
  if (highWidth == 0) highWidth = (cr(0x43) & 0x04) >> 2;
  const std::uint32_t pitch = (highWidth << 8 | low) * unit;
  const std::uint32_t bytes =
      bitsPerPixel > 0 ? (static_cast<std::uint32_t>(bitsPerPixel) + 7) / 8 : 0;
  if (pitch == 0 || bytes == 0) return {0, 0};
  return {static_cast<int>(offset % pitch / bytes), static_cast<int>(offset / pitch)};
}

Rect CentreInViewport(const Rect& rect, bool force, Point origin, int viewportWidth,
                      int viewportHeight) {
  const bool inside = rect.right <= origin.x + viewportWidth && rect.left >= origin.x &&
                      rect.bottom <= origin.y + viewportHeight && rect.top >= origin.y;
  if (!force && inside) return rect;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  int left = origin.x + (viewportWidth - width) / 2;
  int top = origin.y + (viewportHeight - height) / 2;
  if (left < origin.x) left = origin.x;
  if (top < origin.y) top = origin.y;
  return {left, top, left + width, top + height};
}

bool IsDialogClass(std::string_view className) {
  return className == "#32770";
}

bool IsDosBox(std::string_view shortCaption) {
  return shortCaption.substr(0, 18).find("MS-DOS") != std::string_view::npos;
}

bool IsAlwaysCentred(std::string_view caption) {
  return EqualIgnoringCase(caption, names::kVistrelSheetCaption) ||
         EqualIgnoringCase(caption, names::kPanLockStatusCaption);
}

void SwitchHook(Handle& stored, bool on, const std::function<Handle()>& install,
                const std::function<void(Handle)>& remove) {
  if (on && stored == 0) {
    stored = install();
  } else if (!on && stored != 0) {
    remove(stored);
    stored = 0;
  }
}

}  // namespace latchwin
