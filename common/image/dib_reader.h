#pragma once
// A Windows device-independent bitmap read from a stream of bytes: an optional file header
// ("BM"), a 40-byte or 12-byte info header, the colour table and the image, read in blocks of
// 32768 bytes. Every size is checked against what the stream holds and against sane limits, so
// a malformed file is refused, never read or written out of bounds.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace dib {

struct Colour {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
  bool operator==(const Colour& o) const {
    return red == o.red && green == o.green && blue == o.blue;
  }
};

struct Image {
  std::int32_t width = 0;
  std::int32_t height = 0;         // rows are stored bottom-up
  std::uint16_t bitCount = 0;      // 1, 4, 8 or 24
  std::vector<Colour> colours;     // the colour table of 1-, 4- and 8-bit images
  std::vector<std::uint8_t> bits;  // the rows as stored, each padded to four bytes

  std::size_t Stride() const { return (static_cast<std::size_t>(width) * bitCount + 31) / 32 * 4; }
  // The colour of a pixel (x from the left, y from the top).
  Colour Pixel(std::int32_t x, std::int32_t y) const;
};

// Where the bytes come from: at most `size` bytes into `into`; fewer only at the end.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual std::size_t Read(std::uint8_t* into, std::size_t size) = 0;
};

class MemorySource : public ByteSource {
 public:
  MemorySource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::size_t Read(std::uint8_t* into, std::size_t size) override;

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

inline constexpr std::size_t kBlockSize = 32768;
// The largest image taken: 4096 x 4096 pixels.
inline constexpr std::int32_t kMaxSide = 4096;

// The image, or nothing for a stream that is not a well-formed bitmap of 1, 4, 8 or 24 bits
// without compression.
std::optional<Image> Read(ByteSource& source);

// The palette a 24-bit image is shown with: 256 colours, red and green in steps of 32, blue in
// steps of 64.
std::vector<Colour> FixedPalette();

}  // namespace dib
