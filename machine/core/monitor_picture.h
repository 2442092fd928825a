#pragma once
// What a CRT attached to the card shows: where the picture lies on the tube, from the CRT
// controller's timing, as a multisync monitor places it relative to the sync pulses, and
// whether it can lock onto the signal at all.

#include <cstdint>
#include <string>

#include "machine/core/crt_timing.h"

namespace machine {

// The picture along one direction of the tube, in fractions of the tube's scan (0 at the
// left or top edge, 1 at the other).
struct AxisPlacement {
  bool locked;    // the sync pulse lies in the blanking, inside the total
  double start;   // where the displayed part begins
  double length;  // how much of the scan it covers
};

// The scan runs from the end of one sync pulse to the start of the next: the picture begins
// after the back porch (total - sync end) and lasts for the display end.
AxisPlacement PlaceAxis(const TimingAxis& axis);

struct TubePicture {
  AxisPlacement horizontal;
  AxisPlacement vertical;
  double horizontalKHz;  // line rate: refresh x vertical total
  std::uint32_t refreshHz;
  // Empty while the monitor is in sync; otherwise what it shows instead of the picture.
  std::string note;
};

TubePicture PlacePicture(const CrtTiming& timing, std::uint32_t refreshHz);

// The monitor's window: the glass inside its bezel, above the status line.
struct PixelRect {
  int left;
  int top;
  int right;
  int bottom;
};
inline constexpr int kBezel = 18;
inline constexpr int kStatusHeight = 36;
PixelRect GlassIn(int width, int height);
// The displayed picture on the glass.
PixelRect PictureOn(const PixelRect& glass, const TubePicture& picture);

}  // namespace machine
