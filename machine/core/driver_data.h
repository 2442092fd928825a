#pragma once
// The display driver's data block that DirectDraw hands to the card's DirectDraw driver:
// the register aperture's selector, where video memory starts, the mode's pitch and pixel
// format, the thirteen callbacks the driver writes, the chip and its capabilities, and the
// streams processor's FIFO tables. Its fields keep the order of the original block; addresses
// are widened to 64 bits.

#include <cstdint>

namespace machine {

// A DirectDraw pixel format (DDPIXELFORMAT's layout).
struct DriverPixelFormat {
  std::uint32_t size;
  std::uint32_t flags;
  std::uint32_t fourCC;
  std::uint32_t bitCount;
  std::uint32_t red;
  std::uint32_t green;
  std::uint32_t blue;
  std::uint32_t alpha;
};

inline constexpr int kDriverCallbackCount = 13;
// The capability bit that says the streams processor is in use.
inline constexpr std::uint32_t kStreamsProcessorInUse = 0x2;

struct DriverData {
  std::uint32_t selector;  // low 16 bits: the register aperture
  std::uint32_t reserved0;
  std::uint64_t frameBufferBase;  // where video memory starts in the calling process
  std::uint32_t reserved1;
  std::uint32_t pitch;
  DriverPixelFormat primaryFormat;
  std::uint64_t callbacks[kDriverCallbackCount];
  std::uint32_t reserved2;
  std::uint32_t remeasure;  // 1 after every DriverInit: the refresh period is measured anew
  std::uint32_t reserved3;
  std::uint32_t chipId;
  std::uint32_t capabilities;
  std::uint32_t reserved4;
  std::uint8_t fifoTables[150];
};

// The callbacks' slots, in their order.
enum DriverCallback {
  kBlt,
  kFlip,
  kLock,
  kDeclines,
  kGetBltStatus,
  kGetFlipStatus,
  kSetColorKey,
  kUpdateOverlay,
  kSetOverlayPosition,
  kDestroySurface,
  kWaitForVerticalBlank,
  kCanCreateSurface,
  kCreateSurface,
};

// The 16:16 addresses of the blocks (selector:slot) and of the register aperture (selector:0000).
inline constexpr std::uint32_t kDriverDataSelector = 0x0117;
inline constexpr std::uint32_t kRegisterSelector = 0x011F;
inline constexpr std::uint32_t kDriverDataAddress = kDriverDataSelector << 16;

}  // namespace machine
