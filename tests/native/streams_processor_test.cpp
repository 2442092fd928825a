#include "machine/core/streams_processor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "machine/core/card.h"

namespace {

using machine::Picture;

constexpr std::uint32_t kRed = 0xFF0000, kGrey = 0x808080;

// A 64 x 48 primary picture of one colour, and video memory whose secondary stream starts at
// kVideo with a stride of 256 bytes.
class SecondaryStreamTest : public testing::Test {
 protected:
  static constexpr std::uint32_t kVideo = 0x1000;
  static constexpr std::uint32_t kStride = 256;

  void Set(std::uint32_t offset, std::uint32_t value) {
    std::memcpy(aperture.data() + offset, &value, sizeof(value));
  }
  // A window at (x, y) of this size, the secondary at 1:1 in `format`, shown over the primary.
  void Show(int x, int y, std::uint32_t width, std::uint32_t height, std::uint32_t format) {
    Set(machine::kSecondaryStart, static_cast<std::uint32_t>(x + 1) << 16 | (y + 1));
    Set(machine::kSecondarySize, (width - 1) << 16 | height);
    Set(machine::kSecondaryControl, format << 24);
    Set(machine::kSecondaryAddress0, kVideo);
    Set(machine::kSecondaryStride, kStride);
  }
  // The DDAs for a source of `sw` x `sh` shown `dw` x `dh`, with the horizontal initial value
  // 2 sw - dw - 1 and the vertical one sh - dh.
  void Zoom(std::uint32_t format, int sw, int sh, int dw, int dh) {
    Set(machine::kSecondaryControl, format << 24 | ((2 * sw - dw - 1) & 0xFFF));
    Set(machine::kSecondaryStretch, ((sw - 1) & 0xFFF) | ((sw - dw) & 0xFFF) << 16);
    Set(machine::kVerticalK1, static_cast<std::uint32_t>(sh - 1) & 0xFFF);
    Set(machine::kVerticalK2, static_cast<std::uint32_t>(sh - dh) & 0xFFF);
    Set(machine::kVerticalInitial, static_cast<std::uint32_t>(sh - dh) & 0xFFF);
  }
  void Blend(machine::BlendMode mode) {
    Set(machine::kBlendControl, static_cast<std::uint32_t>(mode) << 24);
  }
  // YUY2 pixels in the secondary: pixel x of line y has luma `luma(x, y)` and neutral chroma.
  template <typename Luma>
  void GreyVideo(std::uint32_t width, std::uint32_t height, Luma luma) {
    for (std::uint32_t y = 0; y < height; ++y) {
      for (std::uint32_t x = 0; x < width; ++x) {
        std::uint8_t* at = &memory[kVideo + y * kStride + x * 2];
        at[0] = static_cast<std::uint8_t>(luma(x, y));
        at[1] = 0x80;
      }
    }
  }
  Picture Composed() {
    Picture picture(64, 48);
    std::fill(picture.pixels.begin(), picture.pixels.end(), kGrey);
    machine::ComposeSecondary(machine::StreamsRegisters(aperture.data()),
                              {memory.data(), memory.size()}, picture);
    return picture;
  }
  // Luma 16 + 2 x + 20 y in video shows as this grey.
  static std::uint32_t Shade(std::uint32_t x, std::uint32_t y) {
    const std::uint32_t level = (298 * (2 * x + 20 * y) + 128) >> 8;
    return level * 0x010101;
  }

  std::vector<std::uint8_t> aperture = std::vector<std::uint8_t>(0x8200);
  std::vector<std::uint8_t> memory = std::vector<std::uint8_t>(0x10000);
};

TEST(DdaTest, ZerosShowOneToOneAndTheZoomConstantsSpreadTheSourceOverTheDestination) {
  EXPECT_EQ(machine::DdaPositions(0, 0, 0, 4), (std::vector<std::uint32_t>{0, 1, 2, 3}));
  // 2 lines shown as 4, from the initial value sh - dh: each line twice.
  EXPECT_EQ(machine::DdaPositions(2 - 4, 1, 2 - 4, 4), (std::vector<std::uint32_t>{0, 0, 1, 1}));
  // 160 pixels as 320: every source pixel shown, none more than three times, the last at the end.
  const std::vector<std::uint32_t> wide = machine::DdaPositions(2 * 160 - 320 - 1, 159, -160, 320);
  EXPECT_EQ(wide.back(), 159u);
  for (std::size_t i = 1; i < wide.size(); ++i) ASSERT_LE(wide[i] - wide[i - 1], 1u) << i;
  // The DDA cannot shrink: 8 pixels into 4 show the first 4.
  EXPECT_EQ(machine::DdaPositions(2 * 8 - 4 - 1, 7, 4, 4),
            (std::vector<std::uint32_t>{0, 1, 2, 3}));
}

TEST_F(SecondaryStreamTest, ASecondaryShowsInItsWindowAtItsSizeAndZoomedByTheDdas) {
  GreyVideo(8, 6, [](std::uint32_t x, std::uint32_t y) { return 16 + 2 * x + 20 * y; });
  Show(10, 5, 8, 6, 1);
  Blend(machine::BlendMode::SecondaryOverPrimary);
  Picture picture = Composed();
  EXPECT_EQ(picture.At(10, 5), Shade(0, 0));
  EXPECT_EQ(picture.At(17, 10), Shade(7, 5));
  EXPECT_EQ(picture.At(13, 7), Shade(3, 2));
  EXPECT_EQ(picture.At(9, 5), kGrey);
  EXPECT_EQ(picture.At(18, 5), kGrey);
  EXPECT_EQ(picture.At(10, 4), kGrey);
  EXPECT_EQ(picture.At(10, 11), kGrey);

  // Twice the size: the window is 16 x 12, each source line twice, the pixels spread over it.
  Show(10, 5, 16, 12, 1);
  Zoom(1, 8, 6, 16, 12);
  picture = Composed();
  EXPECT_EQ(picture.At(10, 5), Shade(0, 0));
  EXPECT_EQ(picture.At(10, 6), Shade(0, 0));
  EXPECT_EQ(picture.At(10, 7), Shade(0, 1));
  EXPECT_EQ(picture.At(25, 16), Shade(7, 5));
  EXPECT_EQ(picture.At(18, 12), Shade(4, 3));
  EXPECT_EQ(picture.At(26, 16), kGrey);
  EXPECT_EQ(picture.At(25, 17), kGrey);

  // A window partly off the screen draws the part on it.
  Show(60, 44, 16, 12, 1);
  picture = Composed();
  EXPECT_EQ(picture.At(63, 47), Shade(2, 1));
}

TEST_F(SecondaryStreamTest, TheBlendControlAndTheColourKeysDecideWhichStreamShows) {
  // Luma 235 (white) with a block of luma 16 (black) at x 2-3.
  GreyVideo(8, 2, [](std::uint32_t x, std::uint32_t) { return x / 2 == 1 ? 16 : 235; });
  Show(0, 0, 8, 2, 1);
  Blend(machine::BlendMode::PrimaryOverSecondary);
  EXPECT_EQ(Composed().At(0, 0), kGrey);

  // Destination key: the secondary shows only where the primary is the key's colour.
  Blend(machine::BlendMode::DestinationKey);
  Set(machine::kColourKey, 0x17000000 | kGrey);
  Set(machine::kColourKeyUpperBound, kGrey);
  Picture picture = Composed();
  EXPECT_EQ(picture.At(0, 0), 0xFFFFFFu);
  EXPECT_EQ(picture.At(2, 0), 0u);
  Set(machine::kColourKey, 0x17000000 | kRed);
  Set(machine::kColourKeyUpperBound, kRed);
  EXPECT_EQ(Composed().At(0, 0), kGrey);
  // Without the enable bit nothing matches.
  Set(machine::kColourKey, 0x07000000 | kGrey);
  Set(machine::kColourKeyUpperBound, kGrey);
  EXPECT_EQ(Composed().At(0, 0), kGrey);
  // Compared on the top bit of each component only, 0x808080 matches 0xFF8080 too.
  Set(machine::kColourKey, 0x10000000 | 0xFF8080);
  Set(machine::kColourKeyUpperBound, 0xFF8080);
  EXPECT_EQ(Composed().At(0, 0), 0xFFFFFFu);

  // Source key on the YUV secondary (luma, then the chroma as signed values): the primary shows
  // through the key's pixels.
  Blend(machine::BlendMode::SourceKey);
  Set(machine::kColourKey, 0x17100000);
  Set(machine::kColourKeyUpperBound, 0x100000);
  picture = Composed();
  EXPECT_EQ(picture.At(0, 0), 0xFFFFFFu);
  EXPECT_EQ(picture.At(2, 1), kGrey);
  EXPECT_EQ(picture.At(3, 0), kGrey);
  EXPECT_EQ(picture.At(4, 0), 0xFFFFFFu);
  // A range of lumas from 16 up to 235 keys every pixel.
  Set(machine::kColourKeyUpperBound, 0xEB0000);
  EXPECT_EQ(Composed().At(0, 0), kGrey);
}

TEST_F(SecondaryStreamTest, EachFormatIsReadWithItsOwnPixelSize) {
  const std::uint8_t rgb565[] = {0x00, 0xF8, 0xE0, 0x07};  // red, green
  const std::uint8_t rgb555[] = {0x00, 0x7C, 0x1F, 0x00};  // red, blue
  const std::uint8_t rgb32[] = {0x33, 0x22, 0x11, 0x00, 0x66, 0x55, 0x44, 0x00};
  const std::uint8_t y211[] = {235, 0x80, 16, 0x80};  // white for two pixels, then black
  const struct {
    std::uint32_t format;
    const std::uint8_t* bytes;
    std::size_t size;
    std::uint32_t first, second;
    std::uint32_t secondAt;
  } cases[] = {{5, rgb565, 4, 0xFF0000, 0x00FF00, 1},
               {3, rgb555, 4, 0xFF0000, 0x0000FF, 1},
               {6, rgb32, 8, 0x112233, 0x445566, 1},
               {4, y211, 4, 0xFFFFFF, 0x000000, 2}};
  Blend(machine::BlendMode::SecondaryOverPrimary);
  for (const auto& c : cases) {
    std::memcpy(&memory[kVideo], c.bytes, c.size);
    Show(0, 0, 4, 1, c.format);
    const Picture picture = Composed();
    EXPECT_EQ(picture.At(0, 0), c.first) << c.format;
    EXPECT_EQ(picture.At(c.secondAt - 1, 0), c.first) << c.format;
    EXPECT_EQ(picture.At(c.secondAt, 0), c.second) << c.format;
  }
  // A format the processor does not know (packed 24-bit has no code of its own) shows nothing.
  Show(0, 0, 4, 1, 7);
  EXPECT_EQ(Composed().At(0, 0), kGrey);
  Show(0, 0, 4, 1, 0);
  EXPECT_EQ(Composed().At(0, 0), kGrey);
}

TEST_F(SecondaryStreamTest, TheCardShowsThePrimaryFromItsAddressOnlyWhileTheProcessorIsOn) {
  machine::CardRegisters registers{};
  machine::Card card(registers, [] { return 0; });
  card.PowerOn(machine::Chip::Trio64VPlus, 2048);
  const machine::DisplayMode mode{16, 4, 8};
  card.SetMode(mode, 60);
  registers.palette[1 * 3] = 63;      // index 1 red
  registers.palette[2 * 3 + 2] = 63;  // index 2 blue
  std::fill(memory.begin(), memory.begin() + 64, 1);
  std::fill(memory.begin() + 0x100, memory.begin() + 0x140, 2);
  Set(machine::kPrimaryAddress0, 0x100);
  Show(0, 0, 4, 1, 6);
  Blend(machine::BlendMode::SecondaryOverPrimary);
  const machine::VideoMemory video{memory.data(), memory.size()};
  // Off: the CRT controller's start, no secondary.
  Picture picture =
      machine::CardPicture(registers.crtc, registers.palette, mode, aperture.data(), video);
  EXPECT_EQ(picture.At(0, 0), 0xFC0000u);
  registers.crtc[0x67] |= 0x0C;
  picture = machine::CardPicture(registers.crtc, registers.palette, mode, aperture.data(), video);
  EXPECT_EQ(picture.At(8, 0), 0x0000FCu);
  EXPECT_EQ(picture.At(0, 0), 0u);  // the secondary: black 32-bit pixels
  // The double buffer's bit 1 reads the secondary's second address.
  memory[0x2000] = 0xFF;
  Set(machine::kSecondaryAddress1, 0x2000);
  Set(machine::kDoubleBuffer, 0x2);
  picture = machine::CardPicture(registers.crtc, registers.palette, mode, aperture.data(), video);
  EXPECT_EQ(picture.At(0, 0), 0x0000FFu);
}

}  // namespace
