#include "common/image/dib_reader.h"

#include <algorithm>
#include <cstring>

namespace dib {

namespace {

constexpr std::size_t kFileHeader = 14;
constexpr std::uint32_t kInfoHeader = 40;
constexpr std::uint32_t kCoreHeader = 12;

std::uint16_t Word(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t Long(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0] | p[1] << 8 | p[2] << 16) |
         static_cast<std::uint32_t>(p[3]) << 24;
}

// Exactly `size` bytes, in blocks; false when the stream ends first.
bool ReadAll(ByteSource& source, std::uint8_t* into, std::size_t size) {
  while (size > 0) {
    const std::size_t want = std::min(size, kBlockSize);
    const std::size_t got = source.Read(into, want);
    if (got == 0 || got > want) return false;
    into += got;
    size -= got;
  }
  return true;
}

bool Skip(ByteSource& source, std::size_t size) {
  std::vector<std::uint8_t> scratch(std::min(size, kBlockSize));
  while (size > 0) {
    const std::size_t want = std::min(size, scratch.size());
    if (!ReadAll(source, scratch.data(), want)) return false;
    size -= want;
  }
  return true;
}

struct Header {
  std::int32_t width;
  std::int32_t height;
  std::uint16_t planes;
  std::uint16_t bitCount;
  std::uint32_t compression;
  std::uint32_t coloursUsed;
  bool core;
};

std::optional<Header> ReadHeader(ByteSource& source, std::uint32_t size,
                                 const std::uint8_t* sizeBytes) {
  std::uint8_t bytes[kInfoHeader];
  std::memcpy(bytes, sizeBytes, 4);
  if (size != kInfoHeader && size != kCoreHeader) return std::nullopt;
  if (!ReadAll(source, bytes + 4, size - 4)) return std::nullopt;
  if (size == kCoreHeader) {
    return Header{Word(bytes + 4), Word(bytes + 6), Word(bytes + 8), Word(bytes + 10), 0, 0, true};
  }
  return Header{static_cast<std::int32_t>(Long(bytes + 4)),
                static_cast<std::int32_t>(Long(bytes + 8)),
                Word(bytes + 12),
                Word(bytes + 14),
                Long(bytes + 16),
                Long(bytes + 32),
                false};
}

bool Acceptable(const Header& h) {
  const bool depth = h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 || h.bitCount == 24;
  return depth && h.planes == 1 && h.compression == 0 && h.width > 0 && h.height > 0 &&
         h.width <= kMaxSide && h.height <= kMaxSide;
}

}  // namespace

std::size_t MemorySource::Read(std::uint8_t* into, std::size_t size) {
  const std::size_t count = std::min(size, size_ - at_);
  if (count > 0) std::memcpy(into, data_ + at_, count);
  at_ += count;
  return count;
}

Colour Image::Pixel(std::int32_t x, std::int32_t y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return {0, 0, 0};
  const std::uint8_t* row = bits.data() + Stride() * static_cast<std::size_t>(height - 1 - y);
  if (bitCount == 24) {
    const std::uint8_t* p = row + static_cast<std::size_t>(x) * 3;
    return {p[2], p[1], p[0]};
  }
  const std::size_t bit = static_cast<std::size_t>(x) * bitCount;
  const unsigned shift = 8 - bitCount - bit % 8;
  const unsigned index = (row[bit / 8] >> shift) & ((1u << bitCount) - 1);
  return index < colours.size() ? colours[index] : Colour{0, 0, 0};
}

std::optional<Image> Read(ByteSource& source) {
  std::uint8_t start[4];
  if (!ReadAll(source, start, sizeof(start))) return std::nullopt;
  std::size_t consumed = 0;
  std::optional<std::uint32_t> bitsOffset;
  if (start[0] == 'B' && start[1] == 'M') {
    std::uint8_t file[kFileHeader];
    std::memcpy(file, start, sizeof(start));
    if (!ReadAll(source, file + 4, kFileHeader - 4) || !ReadAll(source, start, 4)) {
      return std::nullopt;
    }
    bitsOffset = Long(file + 10);
    consumed = kFileHeader;
  }
  const std::optional<Header> header = ReadHeader(source, Long(start), start);
  if (!header || !Acceptable(*header)) return std::nullopt;
  consumed += header->core ? kCoreHeader : kInfoHeader;

  Image image;
  image.width = header->width;
  image.height = header->height;
  image.bitCount = header->bitCount;
  if (header->bitCount <= 8) {
    const std::uint32_t most = 1u << header->bitCount;
    const std::uint32_t count = header->coloursUsed == 0 ? most : header->coloursUsed;
    if (count > most) return std::nullopt;
    const std::size_t entry = header->core ? 3 : 4;
    std::vector<std::uint8_t> table(count * entry);
    if (!ReadAll(source, table.data(), table.size())) return std::nullopt;
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint8_t* quad = table.data() + i * entry;
      image.colours.push_back({quad[2], quad[1], quad[0]});
    }
    consumed += table.size();
  }
  // The file header may put the image further on; never before what was read.
  if (bitsOffset) {
    if (*bitsOffset < consumed || !Skip(source, *bitsOffset - consumed)) return std::nullopt;
  }
  image.bits.resize(image.Stride() * static_cast<std::size_t>(image.height));
  if (!ReadAll(source, image.bits.data(), image.bits.size())) return std::nullopt;
  return image;
}

std::vector<Colour> FixedPalette() {
  std::vector<Colour> palette;
  for (int red = 0; red < 8; ++red) {
    for (int green = 0; green < 8; ++green) {
      for (int blue = 0; blue < 4; ++blue) {
        palette.push_back({static_cast<std::uint8_t>(red * 32),
                           static_cast<std::uint8_t>(green * 32),
                           static_cast<std::uint8_t>(blue * 64)});
      }
    }
  }
  return palette;
}

}  // namespace dib
