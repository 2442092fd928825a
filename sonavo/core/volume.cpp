#include "sonavo/core/volume.h"

#include <algorithm>

namespace sonavo {

namespace {

std::uint32_t Stepped(std::uint32_t value, bool up) {
  if (up) return std::min(kVolumeMax, std::min(value, kVolumeMax) + kVolumeStep);
  return value > kVolumeStep ? std::min(value, kVolumeMax) - kVolumeStep : 0;
}

}  // namespace

void VolumeButtons::Attach(PlayerKind kind, bool audioSource) {
  const bool lineIn = audioSource && (kind == PlayerKind::Cd || kind == PlayerKind::Video);
  attached_ = mixer_.Take(lineIn ? kLineInSource : Traits(kind).mixerSource);
}

void VolumeButtons::Press(bool up) {
  if (!attached_) return;
  const std::optional<StereoVolume> volume = mixer_.Read();
  if (!volume) return;
  mixer_.Write({Stepped(volume->left, up), Stepped(volume->right, up)});
}

}  // namespace sonavo
