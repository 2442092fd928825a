#pragma once
// The Trio64V+'s streams processor: what the card sends to the monitor while CR67 bits 2-3 are
// set, composed from its memory-mapped registers. The primary stream is the desktop in the mode's
// format; the secondary stream, a video in YUY2, Y211 or RGB, lies in a window over it, zoomed by
// its two DDAs, and the blend control puts it over or under the primary, or through either's
// colour key.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "machine/core/display_modes.h"

namespace machine {

// The registers, at their offsets in the aperture.
inline constexpr std::uint32_t kColourKey = 0x8184;
inline constexpr std::uint32_t kSecondaryControl = 0x8190;
inline constexpr std::uint32_t kColourKeyUpperBound = 0x8194;
inline constexpr std::uint32_t kSecondaryStretch = 0x8198;
inline constexpr std::uint32_t kBlendControl = 0x81A0;
inline constexpr std::uint32_t kPrimaryAddress0 = 0x81C0;
inline constexpr std::uint32_t kPrimaryAddress1 = 0x81C4;
inline constexpr std::uint32_t kSecondaryAddress0 = 0x81D0;
inline constexpr std::uint32_t kSecondaryAddress1 = 0x81D4;
inline constexpr std::uint32_t kSecondaryStride = 0x81D8;
inline constexpr std::uint32_t kDoubleBuffer = 0x81DC;
inline constexpr std::uint32_t kVerticalK1 = 0x81E0;
inline constexpr std::uint32_t kVerticalK2 = 0x81E4;
inline constexpr std::uint32_t kVerticalInitial = 0x81E8;
inline constexpr std::uint32_t kSecondaryStart = 0x81F8;
inline constexpr std::uint32_t kSecondarySize = 0x81FC;

// The secondary formats (0x8190 bits 26-24).
enum class SecondaryFormat : std::uint32_t {
  Yuy2 = 1,
  Rgb555 = 3,
  Yuv211 = 4,
  Rgb565 = 5,
  Rgb32 = 6,
};

// The compose modes (0x81A0 bits 26-24).
enum class BlendMode : std::uint32_t {
  SecondaryOverPrimary = 0,
  PrimaryOverSecondary = 1,
  DestinationKey = 5,
  SourceKey = 6,
};

// The card's video memory as the streams read it: what lies beyond its end reads as zero.
struct VideoMemory {
  const std::uint8_t* data;
  std::size_t size;

  std::uint8_t At(std::size_t offset) const { return offset < size ? data[offset] : 0; }
};

// A picture of 0xRRGGBB pixels, row after row.
struct Picture {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::vector<std::uint32_t> pixels;

  Picture(std::uint32_t w, std::uint32_t h) : width(w), height(h), pixels(std::size_t{w} * h) {}
  std::uint32_t& At(std::uint32_t x, std::uint32_t y) { return pixels[std::size_t{y} * width + x]; }
  std::uint32_t At(std::uint32_t x, std::uint32_t y) const {
    return pixels[std::size_t{y} * width + x];
  }
};

// The streams processor's registers as it reads them from the memory-mapped aperture.
class StreamsRegisters {
 public:
  explicit StreamsRegisters(const std::uint8_t* aperture) : aperture_(aperture) {}
  std::uint32_t operator[](std::uint32_t offset) const;

 private:
  const std::uint8_t* aperture_;
};

// CR67 bits 2-3 both set.
bool StreamsProcessorOn(const std::uint8_t* crtc);

// The source positions a DDA shows at `count` output positions: each shows the current source
// position; then the accumulator gets K1, and when it is 0 or more, the source moves on and the
// accumulator gets K2 - K1 more.
std::vector<std::uint32_t> DdaPositions(std::int32_t initial, std::int32_t k1, std::int32_t k2,
                                        std::uint32_t count);

// The primary stream: `mode`'s pixels from `start` in video memory, 8-bit ones through the DAC's
// palette (three 6-bit values an entry).
Picture PrimaryStream(const VideoMemory& memory, std::uint32_t start, const DisplayMode& mode,
                      const std::uint8_t* palette);

// The secondary stream in its window over `primary`, as the registers say.
void ComposeSecondary(const StreamsRegisters& registers, const VideoMemory& memory,
                      Picture& primary);

// What the card sends for the current mode: the primary stream from the display start (the
// primary address while the streams processor is on, the CRT controller's start address
// otherwise) with the secondary over it while it is on.
Picture CardPicture(const std::uint8_t* crtc, const std::uint8_t* palette, const DisplayMode& mode,
                    const std::uint8_t* aperture, const VideoMemory& memory);

}  // namespace machine
