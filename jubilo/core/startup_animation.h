#pragma once
// Jubilo's start-up animation on its video screen, a tick at a time: the strip's pieces slide
// into place, the title rises, a wipe clears behind it, the logo grows. Each tick says what to
// draw, in the screen's coordinates; the panel draws it.

#include <vector>

namespace jubilo {

inline constexpr int kScreenWidth = 320;
inline constexpr int kScreenHeight = 240;
inline constexpr int kStripTop = 175;
inline constexpr int kTitleTop = 196;
inline constexpr int kLogoCentreY = 50;

// The animation's bitmaps.
enum class Picture { Logo = 201, Strip = 203, Title = 204 };

struct Size {
  int width;
  int height;
};

// A part of a picture drawn into a rectangle of the screen (stretched when the sizes differ),
// or, without a picture, the rectangle filled with the screen's black.
struct Draw {
  bool fill;
  Picture picture;
  int fromX, fromY, fromWidth, fromHeight;
  int x, y, width, height;
};

class StartupAnimation {
 public:
  StartupAnimation(Size logo, Size strip, Size title);

  // 1 to 4, 0 once the animation is over.
  int Phase() const { return phase_; }
  // The time between ticks of the current phase.
  int PeriodMs() const { return phase_ == 4 ? 30 : 10; }
  // One tick of the current phase, which ends (and the next begins) when its picture is done.
  std::vector<Draw> Step();
  // The picture the animation ends with, drawn at once when a click cuts it short.
  std::vector<Draw> Final() const;

 private:
  struct Piece {
    int fromX;
    int x;
    int endX;
    int step;
  };
  std::vector<Draw> SlidePieces();
  std::vector<Draw> RaiseTitle();
  std::vector<Draw> Wipe();
  std::vector<Draw> GrowLogo();
  Draw Whole(Picture picture, Size size, int x, int y, int width, int height) const;

  Size logo_, strip_, title_;
  int phase_ = 1;
  std::vector<Piece> pieces_;
  int titleTop_ = kScreenHeight;
  int wipeY_ = kScreenHeight - 1;
  int logoWidth_ = 4;
};

}  // namespace jubilo
