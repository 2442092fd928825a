#include "common/display/timing_set.h"

namespace {

int Bit(int value, int bit) {
  return (value >> bit) & 1;
}

// `value` with bit `bit` set to `on`.
std::uint8_t WithBit(std::uint8_t value, int bit, int on) {
  return static_cast<std::uint8_t>(on ? value | (1 << bit) : value & ~(1 << bit));
}

void WriteBits(Crtc& crtc, std::uint8_t index, std::uint8_t mask, int value) {
  const std::uint8_t kept = crtc.Read(index) & static_cast<std::uint8_t>(~mask);
  crtc.Write(index, static_cast<std::uint8_t>(kept | (value & mask)));
}

void WriteOverflowBit(Crtc& crtc, std::uint8_t index, int bit, int on) {
  crtc.Write(index, WithBit(crtc.Read(index), bit, on));
}

}  // namespace

int ReadTimingField(Crtc& crtc, TimingField field) {
  switch (field) {
    case kHorizontalTotal:
      return crtc.Read(0x00) | (Bit(crtc.Read(0x5D), 0) << 8);
    case kEndHorizontalBlank:
      return (crtc.Read(0x03) & 0x1F) | (Bit(crtc.Read(0x05), 7) << 5);
    case kStartHorizontalRetrace:
      return crtc.Read(0x04) | (Bit(crtc.Read(0x5D), 4) << 8);
    case kEndHorizontalRetrace:
      return crtc.Read(0x05);
    case kVerticalTotal: {
      const int overflow = crtc.Read(0x07);
      return crtc.Read(0x06) | (Bit(overflow, 0) << 8) | (Bit(overflow, 5) << 9) |
             (Bit(crtc.Read(0x5E), 0) << 10);
    }
    case kEndVerticalBlank:
      return crtc.Read(0x16);
    case kVerticalRetraceStart: {
      const int overflow = crtc.Read(0x07);
      return crtc.Read(0x10) | (Bit(overflow, 2) << 8) | (Bit(overflow, 7) << 9) |
             (Bit(crtc.Read(0x5E), 4) << 10);
    }
    case kVerticalRetraceEnd:
      return crtc.Read(0x11) & 0x0F;
    default:
      return 0;
  }
}

void WriteTimingField(Crtc& crtc, TimingField field, int value) {
  switch (field) {
    case kHorizontalTotal:
      crtc.Write(0x00, static_cast<std::uint8_t>(value));
      WriteOverflowBit(crtc, 0x5D, 0, Bit(value, 8));
      break;
    case kEndHorizontalBlank:
      WriteBits(crtc, 0x03, 0x1F, value);
      WriteOverflowBit(crtc, 0x05, 7, Bit(value, 5));
      break;
    case kStartHorizontalRetrace:
      crtc.Write(0x04, static_cast<std::uint8_t>(value));
      WriteOverflowBit(crtc, 0x5D, 4, Bit(value, 8));
      break;
    case kEndHorizontalRetrace:
      WriteBits(crtc, 0x05, 0x1F, value);
      break;
    case kVerticalTotal:
      crtc.Write(0x06, static_cast<std::uint8_t>(value));
      WriteOverflowBit(crtc, 0x07, 0, Bit(value, 8));
      WriteOverflowBit(crtc, 0x07, 5, Bit(value, 9));
      WriteOverflowBit(crtc, 0x5E, 0, Bit(value, 10));
      break;
    case kEndVerticalBlank:
      crtc.Write(0x16, static_cast<std::uint8_t>(value));
      break;
    case kVerticalRetraceStart:
      crtc.Write(0x10, static_cast<std::uint8_t>(value));
      WriteOverflowBit(crtc, 0x07, 2, Bit(value, 8));
      WriteOverflowBit(crtc, 0x07, 7, Bit(value, 9));
      WriteOverflowBit(crtc, 0x5E, 4, Bit(value, 10));
      break;
    case kVerticalRetraceEnd:
      WriteBits(crtc, 0x11, 0x0F, value);
      break;
    default:
      break;
  }
}
