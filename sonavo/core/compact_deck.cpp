#include "sonavo/core/compact_deck.h"

namespace sonavo {

namespace {

struct Entry {
  CompactArea area;
  CompactAction action;
  int command;
};

// Rectangles include their left and top edges, not their right and bottom ones.
bool Inside(const CompactArea& a, int x, int y) {
  return x >= a.left && x < a.right && y >= a.top && y < a.bottom;
}

constexpr Entry kDisplayAreas[] = {
    {{6, 18, 19, 26}, CompactAction::ClosePlayer, 0},
    {{6, 5, 19, 15}, CompactAction::ToggleDeck, 0},
    {{123, 5, 136, 15}, CompactAction::VolumeUp, 0},
    {{123, 16, 136, 26}, CompactAction::VolumeDown, 0},
};

// The main deck's commands: Eject or Load, Previous, Stop, Next, Play/Pause.
constexpr Entry kControlAreas[] = {
    {{4, 4, 34, 27}, CompactAction::Command, 1024},
    {{35, 4, 62, 15}, CompactAction::Command, 1019},
    {{63, 4, 90, 15}, CompactAction::Command, 1023},
    {{91, 4, 118, 15}, CompactAction::Command, 1020},
    {{35, 16, 118, 27}, CompactAction::Command, 1018},
    {{123, 5, 136, 26}, CompactAction::Back, 0},
};

}  // namespace

std::optional<CompactHit> HitCompact(CompactFace face, int x, int y) {
  const CompactArea whole{0, 0, kCompactWidth, kCompactHeight};
  if (!Inside(whole, x, y)) return std::nullopt;
  if (face == CompactFace::Display) {
    for (const Entry& entry : kDisplayAreas) {
      if (Inside(entry.area, x, y)) return CompactHit{entry.action, entry.area, 0};
    }
    return CompactHit{CompactAction::ShowControls, whole, 0};
  }
  for (const Entry& entry : kControlAreas) {
    if (Inside(entry.area, x, y)) return CompactHit{entry.action, entry.area, entry.command};
  }
  return std::nullopt;
}

}  // namespace sonavo
