#pragma once
// The display driver's side of the card: the mode it sets with its refresh rate, the history of
// mode changes, and the private escape 3535.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/display/timing_set.h"
#include "machine/core/card.h"
#include "machine/core/display_modes.h"
#include "machine/core/machine_config.h"

namespace machine {

struct EscapeBlock {
  std::uint32_t count;  // every escape 3535 received, taken or not
  std::uint32_t panLockCount;
  std::uint32_t panLocked;
  std::uint32_t timingCount;
  std::uint16_t timing[kTimingFieldCount];  // the last function 2's values
};

struct ModeChange {
  DisplayMode mode;
  std::uint32_t flags;
  std::int32_t result;
};

inline constexpr std::size_t kHistoryLength = 8;

struct ModeHistory {
  std::uint32_t count;
  ModeChange entries[kHistoryLength];
};

void RecordModeChange(ModeHistory& history, const ModeChange& change);
// The changes still kept, oldest first.
std::vector<ModeChange> RecentModeChanges(const ModeHistory& history);

// The viewport's corner after the pointer moved to `cursor`: pushed along by a pointer beyond
// an edge, never off the desktop.
PanPosition FollowPointer(PanPosition origin, std::uint32_t viewportWidth,
                          std::uint32_t viewportHeight, const DisplayMode& desktop,
                          std::int32_t cursorX, std::int32_t cursorY);

// The rate the driver sets for a `Refresh` code at a width: the code's label, "Interlaced" as
// its 87 Hz fields, and 60 Hz for "Auto" and for codes the resolution does not know.
std::uint32_t RefreshHz(Chip chip, std::uint32_t width, int code);

// Escape 3535: function 1 keeps the pan lock, function 2 keeps the nine timing values and
// applies those not marked unchanged. Returns 1 when taken, 0 as an unsupported escape does.
int HandleDisplayEscape(EscapeBlock& escapes, Card& card, const std::uint8_t* input,
                        std::size_t size);

}  // namespace machine
