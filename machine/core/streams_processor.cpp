#include "machine/core/streams_processor.h"

#include <cstring>

#include "machine/core/card.h"

namespace machine {
namespace {

constexpr std::uint32_t kKeyEnable = 0x10000000;

std::uint32_t Field(std::uint32_t value, int low, int bits) {
  return value >> low & ((1u << bits) - 1);
}

// A two's complement field of `bits` bits.
std::int32_t SignedField(std::uint32_t value, int low, int bits) {
  const std::uint32_t field = Field(value, low, bits);
  return static_cast<std::int32_t>(field) - ((field >> (bits - 1)) ? (1 << bits) : 0);
}

std::uint32_t Little16(const VideoMemory& memory, std::size_t at) {
  return memory.At(at) | memory.At(at + 1) << 8;
}

// A 5- or 6-bit component widened to 8 bits, its top bits repeated below.
std::uint32_t Widen(std::uint32_t value, int bits) {
  return (value << (8 - bits) | value >> (2 * bits - 8)) & 0xFF;
}

std::uint32_t Rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  return red << 16 | green << 8 | blue;
}

std::uint32_t Rgb16(std::uint32_t pixel, bool sixBitGreen) {
  const int greenBits = sixBitGreen ? 6 : 5;
  return Rgb(Widen(pixel >> (5 + greenBits) & 0x1F, 5),
             Widen(pixel >> 5 & ((1u << greenBits) - 1), greenBits), Widen(pixel & 0x1F, 5));
}

std::uint32_t Clamp(int value) {
  return static_cast<std::uint32_t>(value < 0 ? 0 : value > 255 ? 255 : value);
}

// A secondary pixel: its colour, and the value its colour key is compared with (for YUV the
// luma and the chroma as signed values, 0 for grey).
struct SecondaryPixel {
  std::uint32_t colour;
  std::uint32_t keyed;
};

SecondaryPixel FromYuv(std::uint32_t y, std::uint32_t u, std::uint32_t v) {
  // ITU-R BT.601, luma 16-235.
  const int luma = static_cast<int>(y) - 16, cb = static_cast<int>(u) - 128,
            cr = static_cast<int>(v) - 128;
  const std::uint32_t colour = Rgb(Clamp((298 * luma + 409 * cr + 128) >> 8),
                                   Clamp((298 * luma - 100 * cb - 208 * cr + 128) >> 8),
                                   Clamp((298 * luma + 516 * cb + 128) >> 8));
  return {colour, Rgb(y, u ^ 0x80, v ^ 0x80)};
}

// Pixel `x` of the secondary line that starts at `line`; false for a format not shown.
bool SecondaryAt(SecondaryFormat format, const VideoMemory& memory, std::size_t line,
                 std::uint32_t x, SecondaryPixel* pixel) {
  switch (format) {
    case SecondaryFormat::Yuy2: {
      // Y0 U Y1 V: two pixels in four bytes.
      const std::size_t pair = line + (x & ~1u) * 2;
      *pixel = FromYuv(memory.At(pair + (x & 1) * 2), memory.At(pair + 1), memory.At(pair + 3));
      return true;
    }
    case SecondaryFormat::Yuv211: {
      // Y0 U Y2 V: four pixels in four bytes, each luma serving two.
      const std::size_t group = line + (x & ~3u);
      *pixel = FromYuv(memory.At(group + (x & 2)), memory.At(group + 1), memory.At(group + 3));
      return true;
    }
    case SecondaryFormat::Rgb555:
    case SecondaryFormat::Rgb565: {
      const std::uint32_t colour =
          Rgb16(Little16(memory, line + x * 2), format == SecondaryFormat::Rgb565);
      *pixel = {colour, colour};
      return true;
    }
    case SecondaryFormat::Rgb32: {
      const std::size_t at = line + x * 4;
      const std::uint32_t colour = Rgb(memory.At(at + 2), memory.At(at + 1), memory.At(at));
      *pixel = {colour, colour};
      return true;
    }
  }
  return false;
}

// The colour key: each component of the top `precision` + 1 bits between the low and the high
// value, chroma compared as signed values for a YUV stream.
class ColourKeyTest {
 public:
  ColourKeyTest(const StreamsRegisters& registers, bool signedChroma)
      : low_(registers[kColourKey]),
        high_(registers[kColourKeyUpperBound]),
        enabled_(low_ & kKeyEnable),
        mask_(0xFF << (7 - Field(low_, 24, 3)) & 0xFF),
        signedChroma_(signedChroma) {}

  bool Matches(std::uint32_t value) const {
    if (!enabled_) return false;
    for (int shift = 0; shift <= 16; shift += 8) {
      const bool chroma = signedChroma_ && shift < 16;
      if (!Within(Component(value, shift, chroma), Component(low_, shift, chroma),
                  Component(high_, shift, chroma))) {
        return false;
      }
    }
    return true;
  }

 private:
  int Component(std::uint32_t value, int shift, bool isSigned) const {
    const std::uint32_t byte = value >> shift & mask_;
    return isSigned ? static_cast<int>(static_cast<std::int8_t>(byte)) : static_cast<int>(byte);
  }
  static bool Within(int value, int low, int high) { return low <= value && value <= high; }

  std::uint32_t low_;
  std::uint32_t high_;
  bool enabled_;
  std::uint32_t mask_;
  bool signedChroma_;
};

struct Window {
  std::int32_t left;
  std::int32_t top;
  std::uint32_t width;
  std::uint32_t height;
};

// The start holds x + 1 and y + 1, the size width - 1 and the height.
Window SecondaryWindow(const StreamsRegisters& registers) {
  const std::uint32_t start = registers[kSecondaryStart];
  const std::uint32_t size = registers[kSecondarySize];
  return {static_cast<std::int32_t>(Field(start, 16, 11)) - 1,
          static_cast<std::int32_t>(Field(start, 0, 11)) - 1, Field(size, 16, 11) + 1,
          Field(size, 0, 11)};
}

}  // namespace

std::uint32_t StreamsRegisters::operator[](std::uint32_t offset) const {
  std::uint32_t value = 0;
  std::memcpy(&value, aperture_ + offset, sizeof(value));
  return value;
}

bool StreamsProcessorOn(const std::uint8_t* crtc) {
  return (crtc[0x67] & 0x0C) == 0x0C;
}

std::vector<std::uint32_t> DdaPositions(std::int32_t initial, std::int32_t k1, std::int32_t k2,
                                        std::uint32_t count) {
  std::vector<std::uint32_t> positions(count);
  std::int64_t accumulator = initial;
  std::uint32_t source = 0;
  for (std::uint32_t& position : positions) {
    position = source;
    accumulator += k1;
    if (accumulator >= 0) {
      ++source;
      accumulator += k2 - k1;
    }
  }
  return positions;
}

Picture PrimaryStream(const VideoMemory& memory, std::uint32_t start, const DisplayMode& mode,
                      const std::uint8_t* palette) {
  Picture picture(mode.width, mode.height);
  const std::uint32_t bytes = mode.bitsPerPixel / 8;
  const std::size_t pitch = std::size_t{mode.width} * mode.bitsPerPixel / 8;
  for (std::uint32_t y = 0; y < mode.height; ++y) {
    const std::size_t line = start + y * pitch;
    for (std::uint32_t x = 0; x < mode.width; ++x) {
      const std::size_t at = line + std::size_t{x} * bytes;
      std::uint32_t colour = 0;
      if (mode.bitsPerPixel == 8) {
        const std::uint8_t* entry = palette + memory.At(at) * 3;
        colour = Rgb(entry[0] * 4u, entry[1] * 4u, entry[2] * 4u);
      } else if (mode.bitsPerPixel == 16) {
        colour = Rgb16(Little16(memory, at), true);
      } else if (mode.bitsPerPixel >= 24) {
        colour = Rgb(memory.At(at + 2), memory.At(at + 1), memory.At(at));
      }
      picture.At(x, y) = colour;
    }
  }
  return picture;
}

void ComposeSecondary(const StreamsRegisters& registers, const VideoMemory& memory,
                      Picture& primary) {
  const auto mode = static_cast<BlendMode>(Field(registers[kBlendControl], 24, 3));
  if (mode != BlendMode::SecondaryOverPrimary && mode != BlendMode::DestinationKey &&
      mode != BlendMode::SourceKey) {
    return;
  }
  const std::uint32_t control = registers[kSecondaryControl];
  const auto format = static_cast<SecondaryFormat>(Field(control, 24, 3));
  // Chroma is signed only in the secondary's YUV: a destination key tests the primary's RGB.
  const ColourKeyTest key(
      registers, mode == BlendMode::SourceKey &&
                     (format == SecondaryFormat::Yuy2 || format == SecondaryFormat::Yuv211));
  const Window window = SecondaryWindow(registers);
  const std::uint32_t stretch = registers[kSecondaryStretch];
  const std::vector<std::uint32_t> columns =
      DdaPositions(SignedField(control, 0, 12), SignedField(stretch, 0, 12),
                   SignedField(stretch, 16, 12), window.width);
  const std::vector<std::uint32_t> lines = DdaPositions(
      SignedField(registers[kVerticalInitial], 0, 12), SignedField(registers[kVerticalK1], 0, 12),
      SignedField(registers[kVerticalK2], 0, 12), window.height);
  const std::size_t base = registers[kDoubleBuffer] & 0x2 ? registers[kSecondaryAddress1]
                                                          : registers[kSecondaryAddress0];
  const std::uint32_t stride = Field(registers[kSecondaryStride], 0, 12);
  for (std::uint32_t row = 0; row < window.height; ++row) {
    const std::int64_t y = std::int64_t{window.top} + row;
    if (y < 0 || y >= primary.height) continue;
    const std::size_t line = base + std::size_t{lines[row]} * stride;
    for (std::uint32_t column = 0; column < window.width; ++column) {
      const std::int64_t x = std::int64_t{window.left} + column;
      if (x < 0 || x >= primary.width) continue;
      SecondaryPixel pixel{};
      if (!SecondaryAt(format, memory, line, columns[column], &pixel)) return;
      std::uint32_t& shown =
          primary.At(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y));
      const bool secondaryShows = mode == BlendMode::SecondaryOverPrimary ||
                                  (mode == BlendMode::DestinationKey && key.Matches(shown)) ||
                                  (mode == BlendMode::SourceKey && !key.Matches(pixel.keyed));
      if (secondaryShows) shown = pixel.colour;
    }
  }
}

Picture CardPicture(const std::uint8_t* crtc, const std::uint8_t* palette, const DisplayMode& mode,
                    const std::uint8_t* aperture, const VideoMemory& memory) {
  const bool streams = StreamsProcessorOn(crtc);
  const StreamsRegisters registers(aperture);
  const std::uint32_t start =
      !streams ? DisplayStart(crtc)
               : registers[registers[kDoubleBuffer] & 0x1 ? kPrimaryAddress1 : kPrimaryAddress0];
  Picture picture = PrimaryStream(memory, start, mode, palette);
  if (streams) ComposeSecondary(registers, memory, picture);
  return picture;
}

}  // namespace machine
