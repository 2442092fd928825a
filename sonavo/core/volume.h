#pragma once
// The volume buttons: each press moves both channels of the player's mixer line by a step.

#include <cstdint>
#include <optional>

#include "sonavo/core/players.h"

namespace sonavo {

inline constexpr std::uint32_t kVolumeStep = 5461;
inline constexpr std::uint32_t kVolumeMax = 65535;

struct StereoVolume {
  std::uint32_t left;
  std::uint32_t right;
};

// The volume control of one source line of the first mixer's first destination.
class MixerLine {
 public:
  virtual ~MixerLine() = default;
  // Takes the control of the source line of this component type; false without a mixer, such
  // a line or a volume control on it.
  virtual bool Take(std::uint32_t componentType) = 0;
  virtual std::optional<StereoVolume> Read() = 0;
  virtual void Write(StereoVolume volume) = 0;
};

class VolumeButtons {
 public:
  explicit VolumeButtons(MixerLine& mixer) : mixer_(mixer) {}

  // At start and when the settings change: the player's line, or line-in with `audioSource`
  // (CD and video only).
  void Attach(PlayerKind kind, bool audioSource);
  // One press: up or down a step on both channels, within 0..65535.
  void Press(bool up);

 private:
  MixerLine& mixer_;
  bool attached_ = false;
};

}  // namespace sonavo
