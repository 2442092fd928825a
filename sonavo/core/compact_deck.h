#pragma once
// The compact deck a player places in Jubilo: two faces, each a set of areas that act like push
// buttons. The display face shows the entry and time; a click elsewhere on it turns to the
// control face, whose keys send the main deck its commands and turn back.

#include <optional>

namespace sonavo {

enum class CompactFace { Display, Controls };

enum class CompactAction {
  ClosePlayer,
  ToggleDeck,  // show or hide the main deck
  VolumeUp,
  VolumeDown,
  ShowControls,
  Command,  // a command of the main deck (CompactHit::command)
  Back,     // to the display face
};

struct CompactArea {
  int left;
  int top;
  int right;
  int bottom;
};

struct CompactHit {
  CompactAction action;
  CompactArea area;  // what looks pressed: the whole face for ShowControls
  int command = 0;
};

// What a press at (x, y) in client coordinates of the face means; nothing outside it.
std::optional<CompactHit> HitCompact(CompactFace face, int x, int y);

// The compact deck's size: its face bitmaps are this large.
inline constexpr int kCompactWidth = 142;
inline constexpr int kCompactHeight = 31;

}  // namespace sonavo
