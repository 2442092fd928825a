#include "common/image/dib_reader.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

struct Layout {
  int width = 5;
  int height = 3;
  int bits = 8;
  bool fileHeader = true;
  bool core = false;
  int colours = 0;  // the table's length (0: all 2^bits)
};

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(v & 0xFF);
  out.push_back(v >> 8 & 0xFF);
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// A bitmap file of that layout whose pixel (x, y) has colour index (or grey) x + y.
std::vector<std::uint8_t> Bitmap(const Layout& l) {
  std::vector<std::uint8_t> info;
  const int tableLength = l.bits <= 8 ? (l.colours ? l.colours : 1 << l.bits) : 0;
  if (l.core) {
    Put32(info, 12);
    Put16(info, l.width);
    Put16(info, l.height);
    Put16(info, 1);
    Put16(info, l.bits);
  } else {
    Put32(info, 40);
    Put32(info, l.width);
    Put32(info, l.height);
    Put16(info, 1);
    Put16(info, l.bits);
    for (std::uint32_t v : {0u, 0u, 0u, 0u, static_cast<std::uint32_t>(l.colours), 0u}) {
      Put32(info, v);
    }
  }
  for (int i = 0; i < tableLength; ++i) {
    info.push_back(static_cast<std::uint8_t>(i * 3));  // blue
    info.push_back(static_cast<std::uint8_t>(i * 2));  // green
    info.push_back(static_cast<std::uint8_t>(i));      // red
    if (!l.core) info.push_back(0);
  }
  const std::size_t stride = (static_cast<std::size_t>(l.width) * l.bits + 31) / 32 * 4;
  std::vector<std::uint8_t> pixels(stride * l.height, 0);
  for (int y = 0; y < l.height; ++y) {
    std::uint8_t* row = pixels.data() + stride * (l.height - 1 - y);
    for (int x = 0; x < l.width; ++x) {
      const int value = (x + y) % (l.bits == 24 ? 256 : (tableLength ? tableLength : 1));
      if (l.bits == 24) {
        row[x * 3] = row[x * 3 + 1] = row[x * 3 + 2] = static_cast<std::uint8_t>(value);
      } else {
        const int bit = x * l.bits;
        row[bit / 8] |= static_cast<std::uint8_t>(value << (8 - l.bits - bit % 8));
      }
    }
  }
  std::vector<std::uint8_t> file;
  if (l.fileHeader) {
    file.push_back('B');
    file.push_back('M');
    Put32(file, static_cast<std::uint32_t>(14 + info.size() + pixels.size()));
    Put32(file, 0);
    Put32(file, static_cast<std::uint32_t>(14 + info.size()));
  }
  file.insert(file.end(), info.begin(), info.end());
  file.insert(file.end(), pixels.begin(), pixels.end());
  return file;
}

std::optional<dib::Image> ReadBytes(const std::vector<std::uint8_t>& bytes) {
  dib::MemorySource source(bytes.data(), bytes.size());
  return dib::Read(source);
}

TEST(DibReaderTest, EveryDepthReadsBackItsPixels) {
  for (int bits : {1, 4, 8, 24}) {
    for (bool core : {false, true}) {
      for (bool fileHeader : {true, false}) {
        Layout layout;
        layout.bits = bits;
        layout.core = core;
        layout.fileHeader = fileHeader;
        layout.width = 13;
        const auto image = ReadBytes(Bitmap(layout));
        ASSERT_TRUE(image.has_value()) << bits << core << fileHeader;
        EXPECT_EQ(image->width, 13);
        EXPECT_EQ(image->height, 3);
        const int table = bits <= 8 ? 1 << bits : 0;
        const int value = (4 + 2) % (bits == 24 ? 256 : table);
        const dib::Colour expected = bits == 24 ? dib::Colour{6, 6, 6}
                                                : dib::Colour{static_cast<std::uint8_t>(value),
                                                              static_cast<std::uint8_t>(value * 2),
                                                              static_cast<std::uint8_t>(value * 3)};
        EXPECT_EQ(image->Pixel(4, 2), expected) << bits << core << fileHeader;
      }
    }
  }
}

TEST(DibReaderTest, ATruncatedFileIsRefusedWhereverItEnds) {
  Layout layout;
  const std::vector<std::uint8_t> whole = Bitmap(layout);
  for (std::size_t length = 0; length < whole.size(); ++length) {
    const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + length);
    EXPECT_FALSE(ReadBytes(cut).has_value()) << length;
  }
  EXPECT_TRUE(ReadBytes(whole).has_value());
}

TEST(DibReaderTest, LyingAbsurdAndUnsupportedHeadersAreRefused) {
  const auto mutated = [](std::function<void(std::vector<std::uint8_t>&)> change) {
    std::vector<std::uint8_t> file = Bitmap(Layout{});
    change(file);
    return ReadBytes(file).has_value();
  };
  const auto set32 = [](std::vector<std::uint8_t>& f, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) f[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  const auto set16 = [](std::vector<std::uint8_t>& f, std::size_t at, unsigned v) {
    f[at] = v & 0xFF;
    f[at + 1] = v >> 8 & 0xFF;
  };
  // Offsets: file header 0-13; info header 14-53 (size 14, width 18, height 22, planes 26,
  // bits 28, compression 30, colours used 46).
  EXPECT_FALSE(mutated([&](auto& f) { set32(f, 10, 20); }));           // image inside the header
  EXPECT_FALSE(mutated([&](auto& f) { set32(f, 10, 0xFFFFFFF0u); }));  // image past the end
  EXPECT_FALSE(mutated([&](auto& f) { set32(f, 14, 64); }));           // unknown header size
  EXPECT_FALSE(mutated([&](auto& f) { set32(f, 18, 0); }));
  EXPECT_FALSE(mutated([&](auto& f) { set32(f, 18, 0x80000000u); }));  // negative width
  EXPECT_FALSE(mutated([&](auto& f) { set32(f, 18, 100000); }));       // absurd
  EXPECT_FALSE(mutated([&](auto& f) { set32(f, 22, 0); }));
  EXPECT_FALSE(mutated([&](auto& f) { set32(f, 22, 0xFFFFFFFDu); }));  // top-down: not taken
  EXPECT_FALSE(mutated([&](auto& f) { set16(f, 26, 2); }));            // planes
  EXPECT_FALSE(mutated([&](auto& f) { set16(f, 28, 16); }));
  EXPECT_FALSE(mutated([&](auto& f) { set16(f, 28, 0); }));
  EXPECT_FALSE(mutated([&](auto& f) { set32(f, 30, 1); }));    // run-length encoded
  EXPECT_FALSE(mutated([&](auto& f) { set32(f, 46, 300); }));  // more colours than 8 bits hold
  // A large width the file does not hold is refused without reading beyond it.
  EXPECT_FALSE(mutated([&](auto& f) { set32(f, 18, 4096); }));
  // The image may lie further on than the table ends.
  std::vector<std::uint8_t> gap = Bitmap(Layout{});
  set32(gap, 10, static_cast<std::uint32_t>(14 + 40 + 256 * 4 + 6));
  gap.insert(gap.begin() + 14 + 40 + 256 * 4, 6, 0xEE);
  EXPECT_TRUE(ReadBytes(gap).has_value());
}

TEST(DibReaderTest, ShortTablesAndSmallReadsAreTaken) {
  Layout layout;
  layout.colours = 7;  // a table of 7 of the 256 entries
  const auto image = ReadBytes(Bitmap(layout));
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(image->colours.size(), 7u);
  EXPECT_EQ(image->Pixel(1, 0), (dib::Colour{1, 2, 3}));

  // A source that gives a few bytes at a time.
  class Trickle : public dib::ByteSource {
   public:
    explicit Trickle(const std::vector<std::uint8_t>& bytes)
        : memory_(bytes.data(), bytes.size()) {}
    std::size_t Read(std::uint8_t* into, std::size_t size) override {
      return memory_.Read(into, std::min<std::size_t>(size, 7));
    }

   private:
    dib::MemorySource memory_;
  };
  const std::vector<std::uint8_t> bytes = Bitmap(Layout{});
  Trickle trickle(bytes);
  EXPECT_TRUE(dib::Read(trickle).has_value());
}

TEST(DibReaderTest, TwentyFourBitImagesShowWithTheFixedPalette) {
  const std::vector<dib::Colour> palette = dib::FixedPalette();
  ASSERT_EQ(palette.size(), 256u);
  EXPECT_EQ(palette.front(), (dib::Colour{0, 0, 0}));
  EXPECT_EQ(palette[1], (dib::Colour{0, 0, 64}));
  EXPECT_EQ(palette[4], (dib::Colour{0, 32, 0}));
  EXPECT_EQ(palette.back(), (dib::Colour{224, 224, 192}));
}

}  // namespace
