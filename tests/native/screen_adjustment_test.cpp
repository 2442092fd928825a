#include <gtest/gtest.h>

#include "machine/core/card.h"
#include "tests/native/fakes.h"
#include "vistrel/core/screen_adjustment.h"

namespace {

const ScreenMode kMode{1024, 768, 8};

using Step = ScreenAdjustment::Step;

// The control channel over the card, noting the data it writes.
class RecordingChannel : public PortIo {
 public:
  explicit RecordingChannel(PortIo& card) : card_(card) {}
  std::uint8_t In(std::uint16_t port) override { return card_.In(port); }
  void Out(std::uint16_t port, std::uint8_t value) override {
    if (port == 0x3D4) index_ = value;
    if (port == 0x3D5) dataWrites.push_back(index_);
    card_.Out(port, value);
  }
  std::vector<int> dataWrites;

 private:
  PortIo& card_;
  std::uint8_t index_ = 0;
};

// A channel whose device did not open: reads give nothing, writes change nothing.
class ClosedChannel : public PortIo {
 public:
  std::uint8_t In(std::uint16_t) override { return 0; }
  void Out(std::uint16_t, std::uint8_t) override {}
};

class ScreenAdjustmentTest : public testing::Test {
 protected:
  void SetUp() override {
    card.PowerOn(machine::Chip::Trio64VPlus, 2048);
    card.SetMode({1024, 768, 8}, 60);
    registers.crtc[0x38] = 0x12;
    adjustment.ReadTiming(kMode);
    adjustment.ClearCurrent();
  }
  int Field(TimingField field) {
    Crtc crtc(card.DriverPorts(), 0x3D4);
    return ReadTimingField(crtc, field);
  }
  std::vector<std::uint8_t> Timing() {
    std::vector<std::uint8_t> crtc(registers.crtc, registers.crtc + 0x70);
    crtc[0x38] = crtc[0x39] = 0;  // the locks are checked apart
    return crtc;
  }

  machine::CardRegisters registers{};
  machine::Card card{registers, [] { return 0; }};
  RecordingChannel channel{card};
  ScreenAdjustment adjustment{channel, true, card};
};

TEST_F(ScreenAdjustmentTest, ReadingTheTimingKeepsTheLocksAsFound) {
  EXPECT_EQ(adjustment.saved[kVerticalTotal], Field(kVerticalTotal));
  EXPECT_EQ(adjustment.saved[kMiscOutput], 0xEF);
  EXPECT_EQ(registers.crtc[0x38], 0x12);
  EXPECT_EQ(registers.crtc[0x39], 0x00);
  EXPECT_TRUE(registers.crtc[0x11] & 0x80);
}

TEST_F(ScreenAdjustmentTest, UndoWithoutAStepDoesNothingAndTwiceTakesTheStepAgain) {
  const auto before = Timing();
  adjustment.Undo(kMode);
  EXPECT_EQ(Timing(), before);
  const int start = Field(kVerticalRetraceStart);
  adjustment.Take(Step::kVerticalUp, kMode);
  EXPECT_EQ(Field(kVerticalRetraceStart), start + 1);
  adjustment.Undo(kMode);
  EXPECT_EQ(Field(kVerticalRetraceStart), start);
  adjustment.Undo(kMode);
  EXPECT_EQ(Field(kVerticalRetraceStart), start + 1);
  EXPECT_EQ(adjustment.lastStep, Step::kVerticalUp);
}

TEST_F(ScreenAdjustmentTest, StepsMoveAndSizeThePicture) {
  const int horizontalTotal = Field(kHorizontalTotal);
  const int start = Field(kStartHorizontalRetrace);
  const int end = registers.crtc[0x05] & 0x1F;
  adjustment.Take(Step::kHorizontalShrink, kMode);
  EXPECT_EQ(Field(kHorizontalTotal), horizontalTotal + 1);
  EXPECT_EQ(adjustment.current[kHorizontalTotal], horizontalTotal + 1);
  adjustment.Take(Step::kHorizontalLeft, kMode);
  EXPECT_EQ(Field(kStartHorizontalRetrace), start + 1);
  EXPECT_EQ(registers.crtc[0x05] & 0x1F, (end + 1) & 0x1F);
  EXPECT_EQ(adjustment.current[kEndHorizontalRetrace], registers.crtc[0x05]);
  const int verticalTotal = Field(kVerticalTotal);
  adjustment.Take(Step::kVerticalExpand, kMode);
  EXPECT_EQ(Field(kVerticalTotal), verticalTotal - 1);
  EXPECT_EQ(adjustment.current[kMiscOutput], kTimingUnchanged);
}

TEST_F(ScreenAdjustmentTest, GuardedStepsChangeNoRegisterButStillLockAgain) {
  registers.crtc[0x05] &= 0xE0;
  registers.crtc[0x11] &= 0xF0;
  const auto before = Timing();
  adjustment.Take(Step::kHorizontalRight, kMode);
  adjustment.Take(Step::kVerticalDown, kMode);
  EXPECT_EQ(Timing(), before);
  EXPECT_EQ(registers.crtc[0x38], 0x12);
  EXPECT_TRUE(registers.crtc[0x11] & 0x80);
  EXPECT_EQ(adjustment.current[kStartHorizontalRetrace], kTimingUnchanged);
}

TEST_F(ScreenAdjustmentTest, ExpandingAtAZeroBlankEndChangesOnlyTheTotal) {
  registers.crtc[0x03] &= 0xE0;
  registers.crtc[0x05] &= 0x7F;
  registers.crtc[0x16] = 0;
  const int horizontalTotal = Field(kHorizontalTotal);
  const int verticalTotal = Field(kVerticalTotal);
  adjustment.Take(Step::kHorizontalExpand, kMode);
  adjustment.Take(Step::kVerticalExpand, kMode);
  EXPECT_EQ(Field(kHorizontalTotal), horizontalTotal - 1);
  EXPECT_EQ(Field(kEndHorizontalBlank), 0);
  EXPECT_EQ(Field(kVerticalTotal), verticalTotal - 1);
  EXPECT_EQ(registers.crtc[0x16], 0);
}

TEST_F(ScreenAdjustmentTest, ApplyRightAfterActivationSendsAndStoresNothingAdjusted) {
  MemoryProfile profile;
  settings::MarovaneSettings store(profile);
  EXPECT_EQ(adjustment.EscapeValues(),
            (std::array<std::uint16_t, 9>{0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF,
                                          0xFFFF, 0xFFFF}));
  adjustment.StoreTiming(store, 1152, 2);
  EXPECT_EQ(profile.Value("Marovane", "C1152-765"),
            "65535,65535,65535,65535,65535,65535,65535,65535,65535");
  adjustment.StoreTiming(store, 1366, 1);
  EXPECT_TRUE(profile.Has("Marovane", "C640-764"));
  adjustment.StoreTiming(store, 1024, 3);  // the Vision964 has no key
  EXPECT_FALSE(profile.Has("Marovane", "C1024-"));
  EXPECT_EQ(ChipSuffix(4), "968");
  EXPECT_EQ(ChipSuffix(5), "");
}

TEST_F(ScreenAdjustmentTest, ResetReturnsTheHardwareToTheTimingFoundWithCr00ByTheChannel) {
  const auto before = Timing();
  adjustment.Take(Step::kHorizontalShrink, kMode);
  adjustment.Take(Step::kVerticalUp, kMode);
  adjustment.Take(Step::kHorizontalLeft, kMode);
  ASSERT_NE(Timing(), before);
  // What the steps did not change is not the page's to put back.
  card.Out(0x3C2, 0x2F);
  channel.dataWrites.clear();
  adjustment.RestoreTiming(kMode);
  EXPECT_EQ(Timing(), before);
  EXPECT_EQ(card.In(0x3CC), 0x2F);
  EXPECT_EQ(adjustment.current, adjustment.saved);
  EXPECT_EQ(channel.dataWrites, std::vector<int>{0x00});
}

// After a mode change, the timing read in the old mode is never written into the new one.
TEST_F(ScreenAdjustmentTest, AnotherModesTimingIsNeverPutBack) {
  adjustment.Take(Step::kHorizontalShrink, kMode);
  const ScreenMode other{800, 600, 8};
  card.SetMode({800, 600, 8}, 60);
  const auto newMode = Timing();
  adjustment.RestoreTiming(other);
  EXPECT_EQ(Timing(), newMode);

  // A step in the new mode reads its timing first: Reset returns to it.
  adjustment.Take(Step::kVerticalShrink, other);
  ASSERT_NE(Timing(), newMode);
  adjustment.RestoreTiming(other);
  EXPECT_EQ(Timing(), newMode);
  // And a restore in the old mode, now not the one read, writes nothing.
  adjustment.Take(Step::kVerticalShrink, other);
  const auto stepped = Timing();
  adjustment.RestoreTiming(kMode);
  EXPECT_EQ(Timing(), stepped);
}

TEST_F(ScreenAdjustmentTest, WithoutTheChannelNothingIsReadSoNothingIsRestored) {
  ClosedChannel closed;
  ScreenAdjustment blind(closed, false, card);
  blind.ReadTiming(kMode);
  EXPECT_FALSE(blind.CanAdjust());
  const auto before = Timing();
  blind.RestoreTiming(kMode);
  EXPECT_EQ(Timing(), before);
}

}  // namespace
