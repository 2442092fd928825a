#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "blitvane/core/hal_logic.h"
#include "machine/core/streams_processor.h"

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
  const PixelFormat rgb24{kRgb, 0, 24, 0xFF0000, 0xFF00, 0xFF};
  EXPECT_EQ(SecondaryStreamControl(rgb24, 100, 100, 100, 100), std::nullopt);
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
  EXPECT_EQ(CanCreateSurface(kCapsOverlay, {kRgb, 0, 24, 0xFF0000, 0xFF00, 0xFF}, kPalette8, true),
            kInvalidPixelFormat);
  EXPECT_EQ(CanCreateSurface(kCapsOverlay, kPalette8, kRgb565, true), kInvalidPixelFormat);
  EXPECT_EQ(CanCreateSurface(kCapsOffscreen, kRgb555, kPalette8, true), kOk);
  EXPECT_EQ(CanCreateSurface(kCapsOffscreen, kRgb565, kPalette8, true), kInvalidPixelFormat);

  const SurfaceBlock yuv = BlockFor(&kYuy2Format, 320, 240, 1024, 8);
  EXPECT_EQ(yuv.pitch, 640u);
  EXPECT_EQ(yuv.blockWidth, 1024u);
  EXPECT_EQ(yuv.blockHeight, 150u);
  // 11 rows of 100 bytes need two rows of 1024: a block of one would overlap the next surface.
  EXPECT_EQ(BlockFor(&kYuy2Format, 50, 11, 1024, 8).blockHeight, 2u);
  const SurfaceBlock plain = BlockFor(nullptr, 200, 100, 2048, 16);
  EXPECT_EQ(plain.pitch, 2048u);
  EXPECT_EQ(plain.blockWidth, 400u);
  EXPECT_EQ(plain.blockHeight, 100u);
  EXPECT_EQ(BlockFor(nullptr, 200, 100, 4096, 32).blockWidth, 800u);
  // An RGB overlay deeper than the screen takes its own pixels' bytes, in rows of its own when
  // they are wider than the screen's.
  EXPECT_EQ(BlockFor(&kRgb565, 200, 100, 800, 8).blockWidth, 400u);
  const SurfaceBlock wide = BlockFor(&kRgb32, 640, 100, 800, 8);
  EXPECT_EQ(wide.pitch, 2560u);
  EXPECT_EQ(wide.blockWidth, 800u);
  EXPECT_EQ(wide.blockHeight, 320u);
}

TEST(OverlayTest, TheKeyFlagsChooseTheKeyAndTheComposeMode) {
  EXPECT_EQ(OverlayKeyOf(0x4000).origin, KeyOrigin::None);
  EXPECT_EQ(OverlayKeyOf(0x4000).mode, kNoKeyMode);
  EXPECT_EQ(OverlayKeyOf(0x800).origin, KeyOrigin::RequestDestination);
  EXPECT_EQ(OverlayKeyOf(0x800).mode, kDestinationKeyMode);
  EXPECT_EQ(OverlayKeyOf(0x400).origin, KeyOrigin::DestinationSurface);
  EXPECT_EQ(OverlayKeyOf(0x2000).origin, KeyOrigin::RequestSource);
  EXPECT_EQ(OverlayKeyOf(0x1000).origin, KeyOrigin::SourceSurface);
  EXPECT_EQ(OverlayKeyOf(0x1000).mode, kSourceKeyMode);
  EXPECT_EQ(OverlayKeyOf(0x800 | 0x400).origin, KeyOrigin::RequestDestination);
  EXPECT_EQ(OverlayKeyOf(0x1000 | 0x400).mode, kDestinationKeyMode);
}

// The zoom as the streams processor's DDAs carry it out, with the control word's horizontal
// initial value.
std::vector<std::uint32_t> Columns(std::uint32_t source, std::uint32_t destination) {
  const std::uint32_t control = *SecondaryStreamControl(kYuy2Format, source, 1, destination, 1);
  const OverlayZoom zoom = ZoomFor(source, 1, destination, 1);
  const auto signed12 = [](std::uint32_t value) {
    return static_cast<std::int32_t>(value & 0xFFF) - (value & 0x800 ? 0x1000 : 0);
  };
  return machine::DdaPositions(signed12(control), signed12(zoom.stretch),
                               signed12(zoom.stretch >> 16), destination);
}

TEST(OverlayTest, TheZoomShowsEverySourcePixelOverTheWholeDestination) {
  EXPECT_EQ(Columns(160, 160).back(), 159u);
  const std::vector<std::uint32_t> doubled = Columns(160, 320);
  EXPECT_EQ(doubled.back(), 159u);
  for (std::uint32_t x = 0; x < 160; ++x) {
    ASSERT_GE(std::count(doubled.begin(), doubled.end(), x), 1) << x;
    ASSERT_LE(std::count(doubled.begin(), doubled.end(), x), 3) << x;
  }
  EXPECT_EQ(Columns(100, 250).back(), 99u);
  const OverlayZoom zoom = ZoomFor(160, 120, 320, 240);
  EXPECT_EQ(zoom.stretch, 159u | 0xF60u << 16);
  EXPECT_EQ(machine::DdaPositions(-120, 119, -120, 4), (std::vector<std::uint32_t>{0, 0, 1, 1}));
  EXPECT_EQ(zoom.verticalK1, 119u);
  EXPECT_EQ(zoom.verticalK2, 0xF88u);
  EXPECT_EQ(zoom.verticalInitial, 0xF88u);
  // Equal sizes: 1:1 each way.
  EXPECT_EQ(machine::DdaPositions(0, 119, 0, 3), (std::vector<std::uint32_t>{0, 1, 2}));
  EXPECT_EQ(ZoomFor(160, 120, 160, 120).verticalInitial, 0u);
}

TEST(OverlayTest, ARecordInUseIsNeverHandedOutAgain) {
  std::vector<std::unique_ptr<OverlayRegisterRecord>> heap;
  bool full = false;
  const auto allocate = [&](std::size_t) -> void* {
    if (full) return nullptr;
    heap.push_back(std::make_unique<OverlayRegisterRecord>());
    return heap.back().get();
  };
  OverlayRegisterRecord* pool = nullptr;
  OverlayRegisterRecord* first = TakeRecord(pool, allocate);
  ASSERT_NE(first, nullptr);
  // A surface at video memory's start has address 0: its record is still in use.
  EXPECT_EQ(first->values[kRecordAddress], 0u);
  OverlayRegisterRecord* second = TakeRecord(pool, allocate);
  EXPECT_NE(second, first);
  first->values[kRecordKeyMode] = kSourceKeyMode;
  ReleaseRecord(*first);
  full = true;
  OverlayRegisterRecord* third = TakeRecord(pool, allocate);
  EXPECT_EQ(third, first);
  EXPECT_EQ(third->values[kRecordKeyMode], 0u);
  EXPECT_EQ(TakeRecord(pool, allocate), nullptr);
}

TEST(BlitTest, AFillOfADeeperSurfaceIsMadeOfItsColoursScreenPixels) {
  EXPECT_EQ(ScreenPixelsOf(0x11223344, 4, 1), (std::vector<std::uint32_t>{0x44, 0x33, 0x22, 0x11}));
  EXPECT_EQ(ScreenPixelsOf(0x11223344, 4, 2), (std::vector<std::uint32_t>{0x3344, 0x1122}));
  EXPECT_EQ(ScreenPixelsOf(0xABCD, 2, 1), (std::vector<std::uint32_t>{0xCD, 0xAB}));
  EXPECT_EQ(ScreenPixelsOf(0x42, 1, 1), (std::vector<std::uint32_t>{0x42}));
  EXPECT_EQ(ScreenPixelsOf(0xFF0000, 4, 4), (std::vector<std::uint32_t>{0xFF0000}));
}

// The engine draws a deeper surface as whole screen pixels; a shallower one, or one whose
// pixel is not a whole number of the screen's, is DirectDraw's to draw.
TEST(BlitTest, TheEngineDrawsOnlyDepthsThatAreWholeScreenPixels) {
  EXPECT_EQ(ScreenPixelsPerPixel(1, 1), 1u);
  EXPECT_EQ(ScreenPixelsPerPixel(4, 1), 4u);
  EXPECT_EQ(ScreenPixelsPerPixel(4, 2), 2u);
  EXPECT_EQ(ScreenPixelsPerPixel(2, 4), 0u);
  EXPECT_EQ(ScreenPixelsPerPixel(3, 2), 0u);
  EXPECT_EQ(ScreenPixelsPerPixel(4, 3), 0u);
  EXPECT_EQ(ScreenPixelsPerPixel(0, 1), 0u);
  EXPECT_EQ(ScreenPixelsPerPixel(2, 0), 0u);
}

TEST(BlitTest, ACopyWithinASurfaceRunsBackwardsOnlyWhenItWouldOverwriteItsSource) {
  EXPECT_TRUE(CopiesBackwards({0, 0, 100, 100}, {10, 10, 110, 110}));
  EXPECT_TRUE(CopiesBackwards({0, 0, 100, 100}, {10, 0, 110, 100}));
  EXPECT_FALSE(CopiesBackwards({10, 10, 110, 110}, {0, 0, 100, 100}));
  EXPECT_TRUE(CopiesBackwards({10, 0, 110, 100}, {0, 10, 100, 110}));
  EXPECT_FALSE(CopiesBackwards({0, 0, 100, 100}, {200, 200, 300, 300}));
}

}  // namespace
