#include "sonavo/core/deck_face.h"

#include <algorithm>
#include <cstdio>

namespace sonavo {

ButtonLook ModeButtonLook(bool selected, bool blinkOn, bool enabled) {
  if (!enabled) return {kDisplayBlack, kDisabledProgram};
  return {selected || blinkOn ? kLitColour : kUnlitColour, kDisplayBlack};
}

ButtonLook AbButtonLook(bool active, bool onlyA, bool blinkOn) {
  const bool lit = onlyA ? blinkOn : active;
  return {lit ? kAbActive : kAbIdle, kDisplayBlack};
}

ButtonLook TrackButtonLook(bool current, bool enabled) {
  const Rgb number = enabled ? kLitColour : kUnlitColour;
  return current ? ButtonLook{number, kDisplayBlack} : ButtonLook{kDisplayBlack, number};
}

bool Blinker::Tick() {
  if (++ticks_ < divider_) return false;
  ticks_ = 0;
  on_ = !on_;
  return true;
}

std::string EntryText(int entry) {
  if (entry <= 0) return {};
  char text[16];
  std::snprintf(text, sizeof(text), "%02d", entry % 100);
  return text;
}

std::string ClockText(std::uint32_t offsetMs) {
  const ClockTime time = ToClock(offsetMs);
  char text[16];
  std::snprintf(text, sizeof(text), "%02u:%02u", time.minutes % 100, time.seconds);
  return text;
}

std::string FrameText(std::uint32_t frame) {
  char text[16];
  std::snprintf(text, sizeof(text), "%05lu", static_cast<unsigned long>(frame % 100000));
  return text;
}

int SliderPosition(int x, int width, int thumbWidth, int minimum, int maximum) {
  const int track = width - thumbWidth;
  if (track <= 0 || maximum < minimum) return minimum;
  const long long span = static_cast<long long>(maximum) - minimum + 1;
  const long long from = std::max(0, x - thumbWidth / 2);
  const long long position = minimum + span * from / track;
  return static_cast<int>(std::min<long long>(position, maximum));
}

int ThumbLeft(int position, int width, int thumbWidth, int minimum, int maximum) {
  const int track = width - thumbWidth;
  if (track <= 0 || maximum <= minimum) return 0;
  const long long at = std::clamp(position, minimum, maximum) - minimum;
  return static_cast<int>(at * track / (static_cast<long long>(maximum) - minimum));
}

int ElapsedWidth(int position, int width, int minimum, int maximum) {
  if (maximum <= minimum || width <= 0) return 0;
  const long long at = std::clamp(position, minimum, maximum) - minimum;
  return static_cast<int>(at * width / (static_cast<long long>(maximum) - minimum));
}

std::vector<ZoomItem> ZoomItems(int screenWidth, int videoWidth, const std::string& fullScreen) {
  std::vector<ZoomItem> items{{" 50%", 50}, {"100%", 100}, {"150%", 150}};
  const bool small = videoWidth <= 160;
  std::vector<int> more;
  if (screenWidth <= 640) {
    if (small) more = {200, 300};
  } else if (screenWidth <= 800) {
    more = small ? std::vector<int>{200, 300, 400} : std::vector<int>{200};
  } else if (screenWidth <= 1024) {
    more = small ? std::vector<int>{200, 300, 400, 500} : std::vector<int>{200, 300};
  }
  for (int percent : more) items.push_back({std::to_string(percent) + "%", percent});
  items.push_back({fullScreen, 0});
  return items;
}

Spot PlaybackSpot(int deckLeft, int deckTop, int deckRight, int deckBottom, int width, int height) {
  constexpr int kGap = 3;
  const int x = (deckLeft + deckRight - width) / 2;
  const int above = deckTop - kGap - height;
  return {x, above >= 0 ? above : deckBottom + kGap};
}

int Zoomed(int natural, int percent) {
  return natural * (percent / 100) + (percent % 100 != 0 ? natural / 2 : 0);
}

}  // namespace sonavo
