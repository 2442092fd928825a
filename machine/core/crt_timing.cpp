#include "machine/core/crt_timing.h"

namespace machine {

namespace {

std::uint32_t Bit(std::uint32_t value, int bit) {
  return (value >> bit) & 1;
}

// A sync pulse ends where the counter's low bits next equal the end register's: `mask` is how
// many bits it compares; equal to the start's, a whole count of the mask on.
std::uint32_t PulseEnd(std::uint32_t start, std::uint32_t end, std::uint32_t mask) {
  std::uint32_t length = (end - (start & mask)) & mask;
  if (length == 0) length = mask + 1;
  return start + length;
}

}  // namespace

CrtTiming DecodeTiming(const std::uint8_t* crtc) {
  const std::uint8_t overflow = crtc[0x07];
  const std::uint8_t extendedV = crtc[0x5E];
  const std::uint8_t extendedH = crtc[0x5D];
  TimingAxis horizontal{};
  horizontal.total = (crtc[0x00] | Bit(extendedH, 0) << 8) + 5;
  horizontal.displayEnd = (crtc[0x01] | Bit(extendedH, 1) << 8) + 1;
  horizontal.syncStart = crtc[0x04] | Bit(extendedH, 4) << 8;
  horizontal.syncEnd = PulseEnd(horizontal.syncStart, crtc[0x05] & 0x1Fu, 0x1F);
  TimingAxis vertical{};
  vertical.total =
      (crtc[0x06] | Bit(overflow, 0) << 8 | Bit(overflow, 5) << 9 | Bit(extendedV, 0) << 10) + 2;
  vertical.displayEnd =
      (crtc[0x12] | Bit(overflow, 1) << 8 | Bit(overflow, 6) << 9 | Bit(extendedV, 1) << 10) + 1;
  vertical.syncStart =
      crtc[0x10] | Bit(overflow, 2) << 8 | Bit(overflow, 7) << 9 | Bit(extendedV, 4) << 10;
  vertical.syncEnd = PulseEnd(vertical.syncStart, crtc[0x11] & 0x0Fu, 0x0F);
  return {horizontal, vertical};
}

}  // namespace machine
