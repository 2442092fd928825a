#pragma once
// The deck's display and its buttons as the user sees them: the fields drawn into the places of
// the template's hidden statics, the mode, A=B and track buttons in their colours, the other
// keys with their symbols.

#include <windows.h>

#include <cstdint>
#include <string>

#include "sonavo/app/deck_painter.h"
#include "sonavo/core/engine.h"

// What the display shows at a moment.
struct DisplaySnapshot {
  bool loaded = false;
  bool blinkOn = true;
  int entry = 0;
  int entries = 0;
  int page = 0;
  std::string time;  // "MM:SS", or the frame number
  bool frames = false;
  bool playing = false;
  bool paused = false;
  bool repeat = false;
  bool trackRepeat = false;
  sonavo::PlayMode mode = sonavo::PlayMode::None;
  bool abActive = false;
  bool onlyA = false;
};

class DeckDisplay {
 public:
  DeckDisplay(HWND deck, sonavo::PlayerKind kind);

  void Paint(HDC dc, const DisplaySnapshot& shown) const;
  // Draws a button of the deck; false for a control that is not the deck's.
  bool DrawItem(const DRAWITEMSTRUCT& item, const DisplaySnapshot& shown) const;
  // The display's rectangle, where a change is repainted.
  const RECT& Area() const { return frame_; }
  // The clickable places of the display.
  bool OnRepeatMark(POINT client) const { return PtInRect(&repeat_, client) != 0; }
  bool OnVideoTime(POINT client) const { return PtInRect(&videoTime_, client) != 0; }

 private:
  RECT Place(int id) const;

  HWND deck_;
  sonavo::PlayerKind kind_;
  DeckPainter painter_;
  RECT frame_, entryLabel_, entry_, timeLabel_, time_, minutes_, seconds_, play_, pause_, repeat_,
      abLabel_, emblem_, face_, repeatLabel_, modeLabel_, editLabel_, videoTime_, top_;
};
