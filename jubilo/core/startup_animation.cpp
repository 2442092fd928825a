#include "jubilo/core/startup_animation.h"

#include <algorithm>

namespace jubilo {

namespace {
constexpr int kPieces = 8;
}  // namespace

// The strip's pieces: eight equal parts, the even ones coming from the left, the odd ones from
// the right, each at its own speed.
StartupAnimation::StartupAnimation(Size logo, Size strip, Size title)
    : logo_(logo), strip_(strip), title_(title) {
  const int width = strip.width / kPieces;
  const int left = (kScreenWidth - strip.width) / 2;
  for (int i = 0; i < kPieces && width > 0; ++i) {
    const int endX = left + i * width;
    const bool fromLeft = i % 2 == 0;
    const int startX = fromLeft ? -width - i * 12 : kScreenWidth + i * 12;
    pieces_.push_back({i * width, startX, endX, (fromLeft ? 1 : -1) * (3 + i % 3)});
  }
}

Draw StartupAnimation::Whole(Picture picture, Size size, int x, int y, int width,
                             int height) const {
  return {false, picture, 0, 0, size.width, size.height, x, y, width, height};
}

std::vector<Draw> StartupAnimation::Step() {
  std::vector<Draw> draws;
  switch (phase_) {
    case 1:
      draws = SlidePieces();
      break;
    case 2:
      draws = RaiseTitle();
      break;
    case 3:
      draws = Wipe();
      break;
    case 4:
      draws = GrowLogo();
      break;
  }
  return draws;
}

std::vector<Draw> StartupAnimation::SlidePieces() {
  std::vector<Draw> draws{
      {true, Picture::Strip, 0, 0, 0, 0, 0, kStripTop, kScreenWidth, strip_.height}};
  bool placed = true;
  const int width = strip_.width / kPieces;
  for (Piece& piece : pieces_) {
    piece.x = piece.step > 0 ? std::min(piece.x + piece.step, piece.endX)
                             : std::max(piece.x + piece.step, piece.endX);
    placed = placed && piece.x == piece.endX;
    draws.push_back({false, Picture::Strip, piece.fromX, 0, width, strip_.height, piece.x,
                     kStripTop, width, strip_.height});
  }
  if (placed) phase_ = 2;
  return draws;
}

// A line a tick from below the screen; what shows of it is what lies within the screen.
std::vector<Draw> StartupAnimation::RaiseTitle() {
  --titleTop_;
  const int shown = std::min(title_.height, kScreenHeight - titleTop_);
  std::vector<Draw> draws{{false, Picture::Title, 0, 0, title_.width, shown,
                           (kScreenWidth - title_.width) / 2, titleTop_, title_.width, shown}};
  if (titleTop_ <= kTitleTop) phase_ = 3;
  return draws;
}

std::vector<Draw> StartupAnimation::Wipe() {
  std::vector<Draw> draws{{true, Picture::Title, 0, 0, 0, 0, 0, wipeY_, kScreenWidth, 1}};
  --wipeY_;
  if (wipeY_ < kTitleTop + title_.height) phase_ = 4;
  return draws;
}

std::vector<Draw> StartupAnimation::GrowLogo() {
  logoWidth_ += 2;
  const int height = logoWidth_ * 3 / 4;
  std::vector<Draw> draws{Whole(Picture::Logo, logo_, (kScreenWidth - logoWidth_) / 2,
                                kLogoCentreY - height / 2, logoWidth_, height)};
  if (logoWidth_ > 2 * logo_.width) phase_ = 0;
  return draws;
}

std::vector<Draw> StartupAnimation::Final() const {
  const int width = 2 * logo_.width;
  const int height = 2 * logo_.height;
  return {
      {true, Picture::Logo, 0, 0, 0, 0, 0, 0, kScreenWidth, kScreenHeight},
      Whole(Picture::Logo, logo_, (kScreenWidth - width) / 2, kLogoCentreY - height / 2, width,
            height),
      Whole(Picture::Strip, strip_, (kScreenWidth - strip_.width) / 2, kStripTop, strip_.width,
            strip_.height),
      Whole(Picture::Title, title_, (kScreenWidth - title_.width) / 2, kTitleTop, title_.width,
            title_.height),
  };
}

}  // namespace jubilo
