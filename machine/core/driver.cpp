#include "machine/core/driver.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "common/display/display_escape.h"
#include "common/display/refresh_labels.h"

namespace machine {
namespace {

constexpr std::uint32_t kDefaultHz = 60;
constexpr std::uint32_t kInterlacedFieldHz = 87;

int ChipClass(Chip chip) {
  return std::min(static_cast<int>(chip), refresh::kChipClasses - 1);
}

void ApplyTiming(Card& card, const std::uint16_t (&timing)[kTimingFieldCount]) {
  Crtc crtc = Crtc::Selected(card.DriverPorts());
  for (int field = 0; field < kMiscOutput; ++field) {
    if (timing[field] != kTimingUnchanged) {
      WriteTimingField(crtc, static_cast<TimingField>(field), timing[field]);
    }
  }
  if (timing[kMiscOutput] != kTimingUnchanged) {
    card.DriverPorts().Out(vga::kMiscOutputWrite, static_cast<std::uint8_t>(timing[kMiscOutput]));
  }
}

// One axis: the corner moves just far enough for the pointer to be inside.
std::uint32_t Follow(std::uint32_t corner, std::uint32_t size, std::uint32_t desktop,
                     std::int32_t pointer) {
  if (size == 0 || size >= desktop) return 0;
  const std::int64_t at = pointer;
  std::int64_t next = corner;
  if (at < next) next = at;
  if (at >= next + size) next = at - size + 1;
  return static_cast<std::uint32_t>(std::clamp<std::int64_t>(next, 0, desktop - size));
}

}  // namespace

PanPosition FollowPointer(PanPosition origin, std::uint32_t viewportWidth,
                          std::uint32_t viewportHeight, const DisplayMode& desktop,
                          std::int32_t cursorX, std::int32_t cursorY) {
  return {Follow(origin.x, viewportWidth, desktop.width, cursorX),
          Follow(origin.y, viewportHeight, desktop.height, cursorY)};
}

void RecordModeChange(ModeHistory& history, const ModeChange& change) {
  history.entries[history.count % kHistoryLength] = change;
  ++history.count;
}

std::vector<ModeChange> RecentModeChanges(const ModeHistory& history) {
  std::vector<ModeChange> changes;
  const std::uint32_t kept = std::min<std::uint32_t>(history.count, kHistoryLength);
  for (std::uint32_t i = history.count - kept; i < history.count; ++i) {
    changes.push_back(history.entries[i % kHistoryLength]);
  }
  return changes;
}

std::uint32_t RefreshHz(Chip chip, std::uint32_t width, int code) {
  const char* label = refresh::Label(ChipClass(chip), refresh::ResolutionIndex(width), code);
  if (label == nullptr) return kDefaultHz;
  if (std::strcmp(label, "Interlaced") == 0) return kInterlacedFieldHz;
  return static_cast<std::uint32_t>(std::atoi(label));
}

int HandleDisplayEscape(EscapeBlock& escapes, Card& card, const std::uint8_t* input,
                        std::size_t size) {
  ++escapes.count;
  std::uint16_t function = 0;
  if (!escape::ReadWord(input, size, 0, &function)) return 0;
  if (function == escape::kPanLock) {
    std::uint16_t locked = 0;
    if (!escape::ReadWord(input, size, 1, &locked)) return 0;
    escapes.panLocked = locked != 0;
    ++escapes.panLockCount;
    return 1;
  }
  if (function == escape::kTimingAdjustment) {
    std::uint16_t timing[kTimingFieldCount];
    for (std::size_t i = 0; i < kTimingFieldCount; ++i) {
      if (!escape::ReadWord(input, size, i + 1, &timing[i])) return 0;
    }
    std::memcpy(escapes.timing, timing, sizeof(timing));
    ++escapes.timingCount;
    ApplyTiming(card, timing);
    return 1;
  }
  return 0;
}

}  // namespace machine
