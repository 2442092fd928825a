#include <gtest/gtest.h>

#include <cstring>

#include "blitvane/core/hal_logic.h"

namespace {

using namespace blitvane;

constexpr PixelFormat kYuy2Format{kFourCC, kYuy2, 16, 0, 0, 0};
constexpr PixelFormat kPalette8{kRgb | kPaletteIndexed8, 0, 8, 0, 0, 0};
constexpr PixelFormat kRgb555{kRgb, 0, 16, 0x7C00, 0x3E0, 0x1F};
constexpr PixelFormat kRgb565{kRgb, 0, 16, 0xF800, 0x7E0, 0x1F};
constexpr PixelFormat kRgb32{kRgb, 0, 32, 0xFF0000, 0xFF00, 0xFF};

std::uint32_t GreyPalette(std::uint8_t index) {
  return index * 0x010101u;
}

TEST(FlipTrackerTest, AFlipIsShownOnceARetraceHasPassedOrAFrameHasElapsed) {
  FlipTracker tracker{};
  tracker.period = 1000;
  EXPECT_EQ(PendingFlipTest(tracker, false, 0, 0), kOk);
  RecordFlip(tracker, 0x100000, 0);
  // Outside the retrace, then inside it: still drawing; outside again: shown.
  EXPECT_EQ(PendingFlipTest(tracker, false, 10, 0), kWasStillDrawing);
  EXPECT_EQ(PendingFlipTest(tracker, true, 20, 0), kWasStillDrawing);
  EXPECT_EQ(PendingFlipTest(tracker, false, 30, 0), kOk);
  EXPECT_FALSE(tracker.pending);

  // A retrace under way when the flip was made does not count; a frame's time does.
  RecordFlip(tracker, 0x100000, 5000);
  EXPECT_EQ(PendingFlipTest(tracker, true, 5100, 0), kWasStillDrawing);
  EXPECT_EQ(PendingFlipTest(tracker, true, 6000, 0), kWasStillDrawing);
  EXPECT_EQ(PendingFlipTest(tracker, true, 6001, 0), kOk);

  // Another surface's blit does not wait for the flip.
  RecordFlip(tracker, 0x100000, 7000);
  EXPECT_EQ(PendingFlipTest(tracker, false, 7001, 0x200000), kOk);
  EXPECT_EQ(PendingFlipTest(tracker, false, 7001, 0x100000), kWasStillDrawing);
  EXPECT_EQ(PeriodOfTwentyFrames(20 * 16667 - 9), 16667u);
  EXPECT_EQ(PeriodOfTwentyFrames(20 * 16667 + 9), 16667u);
}

TEST(FlipStartAddressTest, OlderChipsSpreadTheHighBitsOverCr31AndCr51OthersUseCr69) {
  // 0x123456 double words.
  const std::uint32_t start = 0x123456 * 4;
  using Writes = std::vector<std::pair<std::uint8_t, std::uint8_t>>;
  EXPECT_EQ(StartAddressWrites(start, 0x90, 0xFF, 0xFF, 0),
            (Writes{{0x0D, 0x56}, {0x0C, 0x34}, {0x31, 0xEF}, {0x51, 0xFC}}));
  EXPECT_EQ(StartAddressWrites(start, 0xA0, 0x00, 0x00, 0),
            (Writes{{0x0D, 0x56}, {0x0C, 0x34}, {0x31, 0x20}, {0x51, 0x00}}));
  EXPECT_EQ(StartAddressWrites(start, 0xB0, 0, 0, 0xF0),
            (Writes{{0x0D, 0x56}, {0x0C, 0x34}, {0x69, 0xF2}}));
}

TEST(ColourKeyTest, KeysAreConvertedByPixelFormatAndMarkedForAllComponents) {
  const ColourKey yuv = ConvertColourKey(kYuy2Format, 0x00108080, 0x00F08080, GreyPalette);
  EXPECT_EQ(yuv.low, 0x17100000u);
  EXPECT_EQ(yuv.high, 0xFFF00000u);
  const ColourKey palette = ConvertColourKey(kPalette8, 0x40, 0x99, GreyPalette);
  EXPECT_EQ(palette.low, 0x17404040u);
  EXPECT_EQ(palette.high, 0x404040u);
  EXPECT_EQ(ConvertColourKey(kRgb555, 0x7C00, 0x001F, GreyPalette).low, 0x17FF0000u);
  EXPECT_EQ(ConvertColourKey(kRgb555, 0x7C00, 0x001F, GreyPalette).high, 0x0000FFu);
  EXPECT_EQ(ConvertColourKey(kRgb565, 0x07E0, 0x07E0, GreyPalette).high, 0x00FF00u);
  EXPECT_EQ(ConvertColourKey(kRgb565, 0x0400, 0x0400, GreyPalette).high, 0x008200u);
  EXPECT_EQ(ConvertColourKey(kRgb32, 0x123456, 0x654321, GreyPalette).low, 0x17123456u);
  const PixelFormat bgr32{kRgb, 0, 32, 0xFF, 0xFF00, 0xFF0000};
  EXPECT_EQ(ConvertColourKey(bgr32, 1, 1, GreyPalette).error, kUnsupported);
}

TEST(StreamsProcessorTest, WindowStartControlWordOffsetAndFifo) {
  EXPECT_EQ(WindowStart(0, 0), 0x00010001u);
  EXPECT_EQ(WindowStart(99, 49), (100u << 16) | 50u);
  EXPECT_EQ(WindowStart(2047, 0), 0x00000001u);

  EXPECT_EQ(SecondaryStreamControl(kYuy2Format, 320, 240, 320, 240), 0x01000000u | 319u);
  EXPECT_EQ(SecondaryStreamControl(kYuy2Format, 320, 240, 480, 360), 0x11000000u | 159u);
  EXPECT_EQ(SecondaryStreamControl(kRgb565, 160, 120, 640, 480),
            0x35000000u | ((320u - 640u - 1u) & 0xFFFu));
  EXPECT_EQ(SecondaryStreamControl(kRgb555, 160, 120, 320, 120), 0x23000000u | 0xFFFu);
  EXPECT_EQ(SecondaryStreamControl(kRgb32, 100, 100, 100, 101), 0x16000000u | 99u);
  EXPECT_EQ(SecondaryStreamControl(kPalette8, 100, 100, 100, 100), std::nullopt);

  EXPECT_EQ(SourceOffset(2, 5, 2, 1280), (10u + 2560u) & ~7u);
  EXPECT_EQ(SourceOffset(3, 5, 1, 960), 15u + 960u - 15u);
  EXPECT_EQ(SourceOffset(4, 0, 0, 4096), 0u);

  std::uint8_t tables[kFifoTablesSize] = {};
  const std::uint16_t thresholds[5] = {320, 640, 800, 1024, 1280};
  for (int table = 0; table < 3; ++table) {
    for (int entry = 0; entry < 5; ++entry) {
      std::uint8_t* at = tables + table * 50 + entry * 10;
      std::memcpy(at, &thresholds[entry], 2);
      const std::uint32_t setting = 0x1000u * (table + 1) + entry;
      std::memcpy(at + 2, &setting, 4);
    }
  }
  EXPECT_EQ(FifoSetting(tables, 1, 700), 0x2002u);
  EXPECT_EQ(FifoSetting(tables, 1, 640), 0x2001u);
  EXPECT_EQ(FifoSetting(tables, 2, 4000), 0x3004u);
  EXPECT_EQ(FifoSetting(tables, 0, 1), 0x1000u);
}

TEST(SurfaceTest, WhatIsCreatedAndTheBlocksAskedFor) {
  EXPECT_EQ(CanCreateSurface(kCapsOffscreen, kPalette8, kPalette8, false), kOk);
  EXPECT_EQ(CanCreateSurface(kCapsOverlay, kYuy2Format, kPalette8, false), kInvalidPixelFormat);
  EXPECT_EQ(CanCreateSurface(kCapsOverlay, kYuy2Format, kPalette8, true), kOk);
  EXPECT_EQ(CanCreateSurface(kCapsOverlay, kRgb565, kPalette8, true), kOk);
  EXPECT_EQ(CanCreateSurface(kCapsOverlay, kPalette8, kRgb565, true), kInvalidPixelFormat);
  EXPECT_EQ(CanCreateSurface(kCapsOffscreen, kRgb555, kPalette8, true), kOk);
  EXPECT_EQ(CanCreateSurface(kCapsOffscreen, kRgb565, kPalette8, true), kInvalidPixelFormat);

  const SurfaceBlock yuv = BlockFor(&kYuy2Format, 320, 240, 1024, 8);
  EXPECT_EQ(yuv.pitch, 640u);
  EXPECT_EQ(yuv.blockWidth, 1024u);
  EXPECT_EQ(yuv.blockHeight, (640u * 241u - 1u) / 1024u);
  const SurfaceBlock plain = BlockFor(nullptr, 200, 100, 2048, 16);
  EXPECT_EQ(plain.pitch, 2048u);
  EXPECT_EQ(plain.blockWidth, 400u);
  EXPECT_EQ(plain.blockHeight, 100u);
  EXPECT_EQ(BlockFor(nullptr, 200, 100, 4096, 32).blockWidth, 800u);
}

TEST(BlitTest, ACopyWithinASurfaceRunsBackwardsOnlyWhenItWouldOverwriteItsSource) {
  EXPECT_TRUE(CopiesBackwards({0, 0, 100, 100}, {10, 10, 110, 110}));
  EXPECT_TRUE(CopiesBackwards({0, 0, 100, 100}, {10, 0, 110, 100}));
  EXPECT_FALSE(CopiesBackwards({10, 10, 110, 110}, {0, 0, 100, 100}));
  EXPECT_TRUE(CopiesBackwards({10, 0, 110, 100}, {0, 10, 100, 110}));
  EXPECT_FALSE(CopiesBackwards({0, 0, 100, 100}, {200, 200, 300, 300}));
}

}  // namespace
