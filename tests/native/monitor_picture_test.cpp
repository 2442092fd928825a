#include <gtest/gtest.h>

#include "machine/core/card.h"
#include "machine/core/monitor_picture.h"
#include "vistrel/core/screen_adjustment.h"

namespace {

const ScreenMode kMode{800, 600, 8};

using machine::PlacePicture;
using machine::TubePicture;

class MonitorPictureTest : public testing::Test {
 protected:
  void SetUp() override {
    card.PowerOn(machine::Chip::Trio64, 2048);
    card.SetMode({800, 600, 8}, 60);
    adjustment.ReadTiming(kMode);
  }
  TubePicture Picture() { return PlacePicture(machine::DecodeTiming(registers.crtc), 60); }

  machine::CardRegisters registers{};
  machine::Card card{registers, [] { return 0; }};
  ScreenAdjustment adjustment{card, true, card};
};

TEST_F(MonitorPictureTest, TheDefaultModeIsCentredWithItsRates) {
  const TubePicture picture = Picture();
  EXPECT_TRUE(picture.note.empty());
  const double horizontalMargin = 1 - picture.horizontal.length;
  EXPECT_NEAR(picture.horizontal.start, horizontalMargin / 2, 0.01);
  EXPECT_NEAR(picture.vertical.start, (1 - picture.vertical.length) / 2, 0.01);
  EXPECT_GT(picture.horizontal.length, 0.75);
  EXPECT_GT(picture.vertical.length, 0.85);
  // 600 lines and their blanking 60 times a second.
  EXPECT_NEAR(picture.horizontalKHz, 39.0, 0.5);
}

TEST_F(MonitorPictureTest, EachStepMovesOrSizesThePictureByWhatTheRegistersImply) {
  const TubePicture before = Picture();
  const machine::CrtTiming timing = machine::DecodeTiming(registers.crtc);
  const double lineScan =
      timing.horizontal.total - (timing.horizontal.syncEnd - timing.horizontal.syncStart);
  const double frameScan =
      timing.vertical.total - (timing.vertical.syncEnd - timing.vertical.syncStart);

  // A retrace a character clock later leaves one clock less before the picture: it moves left.
  adjustment.Take(ScreenAdjustment::kHorizontalLeft, kMode);
  EXPECT_NEAR(Picture().horizontal.start, before.horizontal.start - 1 / lineScan, 1e-9);
  EXPECT_DOUBLE_EQ(Picture().horizontal.length, before.horizontal.length);
  adjustment.Undo(kMode);
  EXPECT_DOUBLE_EQ(Picture().horizontal.start, before.horizontal.start);

  adjustment.Take(ScreenAdjustment::kVerticalUp, kMode);
  EXPECT_NEAR(Picture().vertical.start, before.vertical.start - 1 / frameScan, 1e-9);
  adjustment.Undo(kMode);

  // A longer line leaves the picture a smaller part of it.
  adjustment.Take(ScreenAdjustment::kHorizontalShrink, kMode);
  EXPECT_NEAR(Picture().horizontal.length, timing.horizontal.displayEnd / (lineScan + 1), 1e-9);
  adjustment.Take(ScreenAdjustment::kVerticalShrink, kMode);
  EXPECT_LT(Picture().vertical.length, before.vertical.length);
  adjustment.RestoreTiming(kMode);
  EXPECT_DOUBLE_EQ(Picture().horizontal.length, before.horizontal.length);
  EXPECT_DOUBLE_EQ(Picture().vertical.length, before.vertical.length);
}

TEST_F(MonitorPictureTest, ASyncOutsideTheTotalOrInsideThePictureIsOutOfRange) {
  machine::CrtTiming timing = machine::DecodeTiming(registers.crtc);
  machine::CrtTiming beyond = timing;
  beyond.horizontal.syncEnd = beyond.horizontal.total + 2;
  EXPECT_FALSE(PlacePicture(beyond, 60).horizontal.locked);
  EXPECT_NE(PlacePicture(beyond, 60).note.find("Out of range"), std::string::npos);

  machine::CrtTiming early = timing;
  early.vertical.syncStart = early.vertical.displayEnd - 10;
  const TubePicture rolling = PlacePicture(early, 60);
  EXPECT_TRUE(rolling.horizontal.locked);
  EXPECT_FALSE(rolling.vertical.locked);
  EXPECT_NE(rolling.note.find("rolls"), std::string::npos);

  EXPECT_EQ(PlacePicture(timing, 0).note, "No signal");
}

}  // namespace
