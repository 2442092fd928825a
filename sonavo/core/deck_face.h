#pragma once
// What the deck's face shows, decided apart from drawing: the colours of the display and its
// buttons, the texts of its fields, the blinking, the position bar's thumb and the playback
// window's zoom items.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sonavo/core/players.h"

namespace sonavo {

struct Rgb {
  std::uint8_t r;
  std::uint8_t g;
  std::uint8_t b;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

inline constexpr Rgb kLitColour{0, 255, 255};
inline constexpr Rgb kUnlitColour{0, 128, 128};
inline constexpr Rgb kDisplayBlack{0, 0, 0};
inline constexpr Rgb kAbActive{255, 255, 0};
inline constexpr Rgb kAbIdle{128, 128, 0};
inline constexpr Rgb kDisabledProgram{0, 0, 128};

// A button of the display: its word's colour on its field's.
struct ButtonLook {
  Rgb field;
  Rgb text;
};

// NORMAL ... PROGRAM: black on cyan when selected or while the blink phase is on, else on dark
// cyan; disabled (PROGRAM on a file player) dark blue on black.
ButtonLook ModeButtonLook(bool selected, bool blinkOn, bool enabled);
// A=B: yellow while active, olive otherwise; it blinks while only A is set.
ButtonLook AbButtonLook(bool active, bool onlyA, bool blinkOn);
// A track button: its number cyan on black (dark cyan disabled), the current entry's inverted.
ButtonLook TrackButtonLook(bool current, bool enabled);

// The blink phase: it changes every `divider` ticks.
class Blinker {
 public:
  explicit Blinker(int divider) : divider_(divider > 0 ? divider : 1) {}
  // One tick; true when the phase changed.
  bool Tick();
  bool On() const { return on_; }

 private:
  int divider_;
  int ticks_ = 0;
  bool on_ = true;
};

// The display's lit parts: all of them with a disc or album loaded, else only in the blink
// phase.
inline bool DisplayLit(bool loaded, bool blinkOn) {
  return loaded || blinkOn;
}

// "%02d" of the entry (empty for none), "%02d:%02d" of minutes and seconds, "%05lu" of a frame.
std::string EntryText(int entry);
std::string ClockText(std::uint32_t offsetMs);
std::string FrameText(std::uint32_t frame);

// The track buttons: eleven a page; button `button` (1-11) of page `page` (0-based) plays
// entry page x 11 + button.
inline constexpr int kTrackButtons = 11;
inline int PageCount(int entries) {
  return entries > 0 ? (entries - 1) / kTrackButtons + 1 : 1;
}
inline int PageOf(int entry) {
  return entry > 0 ? (entry - 1) / kTrackButtons : 0;
}
inline int EntryOfButton(int page, int button) {
  return page * kTrackButtons + button;
}

// The position bar in slider style: the position under the pointer at `x` (client
// coordinates), the thumb centred on it, within minimum..maximum.
int SliderPosition(int x, int width, int thumbWidth, int minimum, int maximum);
// Where the thumb's left edge is drawn for a position.
int ThumbLeft(int position, int width, int thumbWidth, int minimum, int maximum);
// The bar style: the width of the elapsed part.
int ElapsedWidth(int position, int width, int minimum, int maximum);

// The playback window's zoom menu for a video `videoWidth` wide on a screen `screenWidth` wide:
// each item's text and the percentage it sets (0: "Full Screen", the last).
struct ZoomItem {
  std::string text;
  int percent;
};
std::vector<ZoomItem> ZoomItems(int screenWidth, int videoWidth, const std::string& fullScreen);
// The client size a percentage gives the natural size (150% is w + w/2).
int Zoomed(int natural, int percent);

// Where a new playback window `width` x `height` goes: centred across over the deck, its bottom
// 3 pixels above the deck's top, or, when it would leave the screen at the top, its top 3 pixels
// below the deck's bottom.
struct Spot {
  int x;
  int y;
};
Spot PlaybackSpot(int deckLeft, int deckTop, int deckRight, int deckBottom, int width, int height);

}  // namespace sonavo
