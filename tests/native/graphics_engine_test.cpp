#include <gtest/gtest.h>

#include <vector>

#include "machine/core/card.h"

namespace {

// A card in a 64 x 32 mode at 8 bits, its engine drawing on memory with guard bytes after it.
class GraphicsEngineTest : public testing::Test {
 protected:
  void SetUp() override {
    card.PowerOn(machine::Chip::Trio64VPlus, 2048);
    card.SetMode(mode, 60);
    card.AttachFrameBuffer(memory.data(), kSize, &mode);
    for (std::size_t i = 0; i < kSize; ++i) memory[i] = static_cast<std::uint8_t>(i % 251);
  }
  std::uint8_t& At(int x, int y) { return memory[static_cast<std::size_t>(y) * 64 + x]; }
  // The engine programmed as Blitvane programs it.
  void Fill(int x, int y, int width, int height, std::uint8_t colour) {
    card.OutWord(0xBEE8, 0xE000);
    card.OutWord(0xBAE8, 0x27);
    card.OutWord(0xA6E8, colour);
    card.OutWord(0xBEE8, 0xA000);
    card.OutWord(0x86E8, static_cast<std::uint16_t>(x));
    card.OutWord(0x82E8, static_cast<std::uint16_t>(y));
    card.OutWord(0x96E8, static_cast<std::uint16_t>(width - 1));
    card.OutWord(0xBEE8, static_cast<std::uint16_t>(height - 1));
    card.OutWord(0x9AE8, 0x40B3);
  }
  void Copy(int sx, int sy, int dx, int dy, int width, int height, bool backwards) {
    if (backwards) {
      sx += width - 1, sy += height - 1, dx += width - 1, dy += height - 1;
    }
    card.OutWord(0x86E8, static_cast<std::uint16_t>(sx));
    card.OutWord(0x82E8, static_cast<std::uint16_t>(sy));
    card.OutWord(0x8EE8, static_cast<std::uint16_t>(dx));
    card.OutWord(0x8AE8, static_cast<std::uint16_t>(dy));
    card.OutWord(0x96E8, static_cast<std::uint16_t>(width - 1));
    card.OutWord(0xBEE8, static_cast<std::uint16_t>(height - 1));
    card.OutWord(0x9AE8, static_cast<std::uint16_t>(0xC053 | (backwards ? 0 : 0xA0)));
  }
  std::uint16_t Status() {
    return static_cast<std::uint16_t>(card.In(0x9AE8) | card.In(0x9AE9) << 8);
  }
  bool Busy() { return Status() & machine::kEngineBusy; }

  static constexpr std::size_t kSize = 64 * 32;
  machine::DisplayMode mode{64, 32, 8};
  std::vector<std::uint8_t> memory = std::vector<std::uint8_t>(kSize + 64, 0xEE);
  std::uint64_t now = 1000;
  machine::CardRegisters registers{};
  machine::Card card{registers, [this] { return now; }};
};

TEST_F(GraphicsEngineTest, AFillFillsExactlyItsRectangleAndKeepsTheEngineBusyForAWhile) {
  const std::uint8_t left = At(4, 5), right = At(15, 5), above = At(5, 4), below = At(5, 12);
  Fill(5, 5, 10, 7, 0x42);
  for (int y = 5; y < 12; ++y) {
    for (int x = 5; x < 15; ++x) ASSERT_EQ(At(x, y), 0x42) << x << "," << y;
  }
  EXPECT_EQ(At(4, 5), left);
  EXPECT_EQ(At(15, 5), right);
  EXPECT_EQ(At(5, 4), above);
  EXPECT_EQ(At(5, 12), below);
  EXPECT_TRUE(Busy());
  now += 10;
  EXPECT_FALSE(Busy());
}

TEST_F(GraphicsEngineTest, AnOverlappingMoveDownAndRightIsRightOnlyWhenCopiedBackwards) {
  std::vector<std::uint8_t> original;
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) original.push_back(At(x, y));
  }
  Copy(0, 0, 3, 2, 10, 10, true);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) ASSERT_EQ(At(x + 3, y + 2), original[y * 10 + x]) << x << "," << y;
  }
  // Forwards, the same move copies rows it has already overwritten.
  SetUp();
  Copy(0, 0, 3, 2, 10, 10, false);
  bool wrong = false;
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) wrong |= At(x + 3, y + 2) != original[y * 10 + x];
  }
  EXPECT_TRUE(wrong);
}

TEST_F(GraphicsEngineTest, AMoveRightOnOneRowIsSpoiledUnlessCopiedRightToLeft) {
  for (int x = 0; x < 10; ++x) At(x, 3) = static_cast<std::uint8_t>(x + 1);
  Copy(0, 3, 2, 3, 8, 1, false);
  // Left to right, each pixel read after the one two to its left was written over it: the first
  // two pixels repeat.
  for (int x = 2; x < 10; ++x) ASSERT_EQ(At(x, 3), x % 2 + 1) << x;
  for (int x = 0; x < 10; ++x) At(x, 3) = static_cast<std::uint8_t>(x + 1);
  Copy(0, 3, 2, 3, 8, 1, true);
  for (int x = 0; x < 8; ++x) ASSERT_EQ(At(x + 2, 3), x + 1) << x;
}

TEST_F(GraphicsEngineTest, WordsWrittenWhileTheEngineDrawsFillItsFifo) {
  EXPECT_EQ(Status(), machine::kFifoEmpty);
  Fill(0, 0, 64, 32, 0x42);  // some 40 microseconds of drawing
  EXPECT_TRUE(Busy());
  for (int word = 0; word < 8; ++word) card.OutWord(0x86E8, 0);
  EXPECT_EQ(Status() & 0xFCFF, 0x00FF);
  card.OutWord(0x86E8, 0);
  EXPECT_TRUE(Status() & 0x0800);  // a ninth slot: the driver waits
  for (int word = 0; word < 4; ++word) card.OutWord(0x86E8, 0);
  EXPECT_EQ(Status() & 0xF800, 0xF800);
  now += 1000;
  EXPECT_EQ(Status(), machine::kFifoEmpty);
}

TEST_F(GraphicsEngineTest, AtThirtyTwoBitsTheColoursTakeTwoWordsLowHalfFirst) {
  const machine::DisplayMode deep{16, 8, 32};
  std::vector<std::uint32_t> pixels(16 * 8);
  card.SetMode(deep, 60);
  card.AttachFrameBuffer(reinterpret_cast<std::uint8_t*>(pixels.data()), pixels.size() * 4, &deep);
  card.OutWord(0xBEE8, 0xE000);
  card.OutWord(0xA6E8, 0x0000);
  card.OutWord(0xA6E8, 0x00FF);
  card.OutWord(0xBEE8, 0xA000);
  card.OutWord(0x86E8, 1);
  card.OutWord(0x82E8, 1);
  card.OutWord(0x96E8, 3);
  card.OutWord(0xBEE8, 1);
  card.OutWord(0x9AE8, 0x40B3);
  EXPECT_EQ(pixels[1 * 16 + 1], 0x00FF0000u);
  EXPECT_EQ(pixels[2 * 16 + 4], 0x00FF0000u);
  EXPECT_EQ(pixels[2 * 16 + 5], 0u);
  // With index 0xE bit 9, the high half goes through the port two above.
  card.OutWord(0xBEE8, 0xE200);
  card.OutWord(0xA6EA, 0x0012);
  card.OutWord(0xA6E8, 0x3456);
  card.OutWord(0x9AE8, 0x40B3);
  EXPECT_EQ(pixels[1 * 16 + 1], 0x00123456u);
}

TEST_F(GraphicsEngineTest, AColourKeyedCopySkipsTheKeyPixelsOfItsSource) {
  Fill(0, 0, 4, 4, 0x11);
  Fill(1, 1, 2, 2, 0x99);  // the key, a hole in the sprite
  Fill(20, 20, 4, 4, 0x55);
  card.OutWord(0xBEE8, 0xE100);
  card.OutWord(0xB2E8, 0x99);
  Copy(0, 0, 20, 20, 4, 4, false);
  card.OutWord(0xBEE8, 0xE200);
  EXPECT_EQ(At(20, 20), 0x11);
  EXPECT_EQ(At(21, 21), 0x55);
  EXPECT_EQ(At(22, 22), 0x55);
  EXPECT_EQ(At(23, 23), 0x11);
}

TEST_F(GraphicsEngineTest, RectanglesBeyondTheScreenNeverDrawOutsideTheFrameBuffer) {
  Fill(60, 30, 40, 40, 0x77);
  EXPECT_EQ(At(63, 31), 0x77);
  EXPECT_NE(At(0, 31), 0x77);  // no wrap into the next line's start
  for (std::size_t i = kSize; i < memory.size(); ++i) ASSERT_EQ(memory[i], 0xEE);
  Copy(0, 0, 50, 25, 30, 30, false);
  for (std::size_t i = kSize; i < memory.size(); ++i) ASSERT_EQ(memory[i], 0xEE);
  Fill(0xFFF0, 0xFFF0, 100, 100, 0x33);
  for (std::size_t i = kSize; i < memory.size(); ++i) ASSERT_EQ(memory[i], 0xEE);
}

}  // namespace
