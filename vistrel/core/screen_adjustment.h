#pragma once
// The Screen Adjustment page's logic: the picture moved and sized on the monitor one step at a
// time through the CRT timing registers, taken back with Undo, put back with Reset, and on
// Apply handed to the display driver and stored per screen width and chip.

#include <array>
#include <cstdint>
#include <string>

#include "common/display/port_io.h"
#include "common/display/timing_set.h"
#include "common/settings/marovane_settings.h"

// The "C640-" ... keys' suffix of a chip code: "732", "764", "765", "968"; empty for the
// Vision964 and unknown chips, which store nothing.
std::string ChipSuffix(int chipCode);

// The display mode a timing belongs to: another mode's timing is never written into it.
struct ScreenMode {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  bool operator==(const ScreenMode& other) const {
    return width == other.width && height == other.height && bitsPerPixel == other.bitsPerPixel;
  }
};

class ScreenAdjustment {
 public:
  using Timing = std::array<int, kTimingFieldCount>;

  // Steps by the page's numbering; Undo takes the reverse of the last one.
  enum Step {
    kNoStep,
    kVerticalUp,
    kVerticalDown,
    kVerticalExpand,
    kVerticalShrink,
    kHorizontalExpand,
    kHorizontalShrink,
    kHorizontalLeft,
    kHorizontalRight,
  };

  // `channel` is the graphics control channel (the steps go through it); `direct` the port
  // instructions (the restore and Miscellaneous Output). Without an open channel nothing is
  // read, so the restore writes nothing: it must not write values the hardware never gave.
  ScreenAdjustment(PortIo& channel, bool channelOpen, PortIo& direct)
      : channel_(channel), channelOpen_(channelOpen), direct_(direct) {}

  bool CanAdjust() const { return channelOpen_; }

  // First display: the timing found in `mode`, kept for Reset for the life of the sheet.
  void ReadTiming(const ScreenMode& mode);
  // Activation: nothing adjusted yet.
  void ClearCurrent() { current.fill(kTimingUnchanged); }
  // A step in another mode than the timing was read in reads that mode's timing first.
  void Take(Step step, const ScreenMode& mode);
  void Undo(const ScreenMode& mode);
  // Puts back what the steps changed, in the mode the timing was read in; nothing in another.
  void RestoreTiming(const ScreenMode& mode);
  // The escape's nine values: the low 16 bits of the current timing.
  std::array<std::uint16_t, kTimingFieldCount> EscapeValues() const;
  // Under the key of the screen width and chip; nothing for a chip without a suffix.
  void StoreTiming(settings::MarovaneSettings& settings, int screenWidth, int chipCode);

  void AdjustHorizontalSize(int delta);
  void AdjustVerticalSize(int delta);
  void AdjustHorizontalPosition(int delta);
  void AdjustVerticalPosition(int delta);

  Timing saved{};
  Timing current{};
  std::uint8_t savedLock1 = 0;
  std::uint8_t savedLock2 = 0;
  Step lastStep = kNoStep;

 private:
  void Unlock(Crtc& crtc);
  void Lock(Crtc& crtc);
  void Change(TimingField field, int value);

  PortIo& channel_;
  bool channelOpen_;
  PortIo& direct_;
  ScreenMode readIn_;
  // The fields a step has changed since the timing was read.
  std::array<bool, kTimingFieldCount> changed_{};
};
