#include "vistrel/core/screen_adjustment.h"

namespace {

constexpr std::uint8_t kProtectBit = 0x80;

// The restore's ports: CR00 goes through the channel, everything else by port instructions,
// in the same register sequence.
class RestorePorts : public PortIo {
 public:
  RestorePorts(PortIo& channel, PortIo& direct) : channel_(channel), direct_(direct) {}
  std::uint8_t In(std::uint16_t port) override { return direct_.In(port); }
  void Out(std::uint16_t port, std::uint8_t value) override {
    if (port == vga::kColourCrtcIndex) index_ = value;
    if (port == vga::kColourCrtcIndex + 1 && index_ == 0x00) {
      Crtc(channel_, vga::kColourCrtcIndex).Write(0x00, value);
      return;
    }
    direct_.Out(port, value);
  }

 private:
  PortIo& channel_;
  PortIo& direct_;
  std::uint8_t index_ = 0;
};

}  // namespace

std::string ChipSuffix(int chipCode) {
  switch (chipCode) {
    case 0:
      return "732";
    case 1:
      return "764";
    case 2:
      return "765";
    case 4:
      return "968";
    default:
      return "";
  }
}

void ScreenAdjustment::Unlock(Crtc& crtc) {
  savedLock1 = crtc.Read(vga::kLock1);
  crtc.Write(vga::kLock1, vga::kLock1Key);
  savedLock2 = crtc.Read(vga::kLock2);
  crtc.Write(vga::kLock2, vga::kLock2Key);
  crtc.Write(0x11, crtc.Read(0x11) & static_cast<std::uint8_t>(~kProtectBit));
}

void ScreenAdjustment::Lock(Crtc& crtc) {
  crtc.Write(0x11, crtc.Read(0x11) | kProtectBit);
  crtc.Write(vga::kLock1, savedLock1);
  crtc.Write(vga::kLock2, savedLock2);
}

void ScreenAdjustment::ReadTiming(const ScreenMode& mode) {
  readIn_ = mode;
  changed_.fill(false);
  Crtc crtc(channel_, vga::kColourCrtcIndex);
  Unlock(crtc);
  for (int field = 0; field < kMiscOutput; ++field) {
    saved[field] = ReadTimingField(crtc, static_cast<TimingField>(field));
  }
  saved[kMiscOutput] = direct_.In(vga::kMiscOutputRead);
  current = saved;
  Lock(crtc);
}

void ScreenAdjustment::AdjustHorizontalSize(int delta) {
  Crtc crtc(channel_, vga::kColourCrtcIndex);
  Unlock(crtc);
  const int total = ReadTimingField(crtc, kHorizontalTotal) + delta;
  WriteTimingField(crtc, kHorizontalTotal, total);
  Change(kHorizontalTotal, total);
  int blankEnd = ReadTimingField(crtc, kEndHorizontalBlank);
  if (blankEnd + delta >= 0) blankEnd += delta;
  WriteTimingField(crtc, kEndHorizontalBlank, blankEnd);
  Change(kEndHorizontalBlank, blankEnd);
  Lock(crtc);
}

void ScreenAdjustment::AdjustVerticalSize(int delta) {
  Crtc crtc(channel_, vga::kColourCrtcIndex);
  Unlock(crtc);
  const int total = ReadTimingField(crtc, kVerticalTotal) + delta;
  WriteTimingField(crtc, kVerticalTotal, total);
  Change(kVerticalTotal, total);
  int blankEnd = crtc.Read(0x16);
  if (blankEnd + delta >= 0) blankEnd += delta;
  WriteTimingField(crtc, kEndVerticalBlank, blankEnd);
  Change(kEndVerticalBlank, blankEnd);
  Lock(crtc);
}

void ScreenAdjustment::AdjustHorizontalPosition(int delta) {
  Crtc crtc(channel_, vga::kColourCrtcIndex);
  Unlock(crtc);
  if (!((crtc.Read(0x05) & 0x1F) == 0 && delta == -1)) {
    const int start = ReadTimingField(crtc, kStartHorizontalRetrace) + delta;
    WriteTimingField(crtc, kStartHorizontalRetrace, start);
    Change(kStartHorizontalRetrace, start);
    const int end = crtc.Read(0x05);
    const auto moved = static_cast<std::uint8_t>(((end + delta) & 0x1F) | (end & 0xE0));
    crtc.Write(0x05, moved);
    Change(kEndHorizontalRetrace, moved);
  }
  Lock(crtc);
}

void ScreenAdjustment::AdjustVerticalPosition(int delta) {
  Crtc crtc(channel_, vga::kColourCrtcIndex);
  Unlock(crtc);
  if (!((crtc.Read(0x11) & 0x0F) == 0 && delta == -1)) {
    const int start = ReadTimingField(crtc, kVerticalRetraceStart) + delta;
    WriteTimingField(crtc, kVerticalRetraceStart, start);
    Change(kVerticalRetraceStart, start);
    const int end = crtc.Read(0x11) & 0x0F;
    Change(kVerticalRetraceEnd, end + delta);
    WriteTimingField(crtc, kVerticalRetraceEnd, end + delta);
  }
  Lock(crtc);
}

void ScreenAdjustment::Change(TimingField field, int value) {
  current[field] = value;
  changed_[field] = true;
}

void ScreenAdjustment::Take(Step step, const ScreenMode& mode) {
  if (!(mode == readIn_)) {
    ReadTiming(mode);
    lastStep = kNoStep;
  }
  switch (step) {
    case kVerticalUp:
      AdjustVerticalPosition(+1);
      break;
    case kVerticalDown:
      AdjustVerticalPosition(-1);
      break;
    case kVerticalExpand:
      AdjustVerticalSize(-1);
      break;
    case kVerticalShrink:
      AdjustVerticalSize(+1);
      break;
    case kHorizontalExpand:
      AdjustHorizontalSize(-1);
      break;
    case kHorizontalShrink:
      AdjustHorizontalSize(+1);
      break;
    case kHorizontalLeft:
      AdjustHorizontalPosition(+1);
      break;
    case kHorizontalRight:
      AdjustHorizontalPosition(-1);
      break;
    case kNoStep:
      return;
  }
  lastStep = step;
}

void ScreenAdjustment::Undo(const ScreenMode& mode) {
  // Each step's reverse is its neighbour in the numbering: 1 and 2, 3 and 4, ...
  if (lastStep == kNoStep || !(mode == readIn_)) return;
  Take(static_cast<Step>(lastStep % 2 == 1 ? lastStep + 1 : lastStep - 1), mode);
}

void ScreenAdjustment::RestoreTiming(const ScreenMode& mode) {
  if (!channelOpen_ || !(mode == readIn_)) return;
  RestorePorts ports(channel_, direct_);
  Crtc crtc(ports, vga::kColourCrtcIndex);
  Unlock(crtc);
  for (int field = 0; field < kMiscOutput; ++field) {
    if (changed_[field]) WriteTimingField(crtc, static_cast<TimingField>(field), saved[field]);
  }
  if (changed_[kMiscOutput]) {
    direct_.Out(vga::kMiscOutputWrite, static_cast<std::uint8_t>(saved[kMiscOutput]));
  }
  current = saved;
  changed_.fill(false);
  Lock(crtc);
}

std::array<std::uint16_t, kTimingFieldCount> ScreenAdjustment::EscapeValues() const {
  std::array<std::uint16_t, kTimingFieldCount> values{};
  for (std::size_t i = 0; i < values.size(); ++i) {
    values[i] = static_cast<std::uint16_t>(current[i] & 0xFFFF);
  }
  return values;
}

void ScreenAdjustment::StoreTiming(settings::MarovaneSettings& settings, int screenWidth,
                                   int chipCode) {
  const std::string suffix = ChipSuffix(chipCode);
  if (suffix.empty()) return;
  const settings::ListSetting key = settings::TimingSetting(screenWidth, suffix);
  const std::vector<int> stored = settings.Read(key);
  for (std::size_t i = 0; i < current.size(); ++i) {
    if (current[i] == -1) current[i] = stored[i];
  }
  settings.Write(key, std::vector<int>(current.begin(), current.end()));
}
