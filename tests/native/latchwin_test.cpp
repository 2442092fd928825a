#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <vector>

#include "common/interop/suite_names.h"
#include "latchwin/core/hook_logic.h"
#include "machine/core/card.h"

using latchwin::CentreInViewport;
using latchwin::Point;
using latchwin::Rect;

namespace latchwin {
void PrintTo(const Rect& r, std::ostream* out) {
  *out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}
}  // namespace latchwin

namespace {

TEST(CentreInViewportTest, KeepsWhatLiesInsideAndCentresWhatSticksOutOnAnySide) {
  const Point origin{100, 50};
  const Rect inside{100, 50, 900, 650};
  EXPECT_EQ(CentreInViewport(inside, false, origin, 800, 600), inside);
  const Rect centred{300, 250, 700, 450};
  const Rect stickingOut[] = {
      {99, 250, 499, 450}, {501, 250, 901, 450}, {300, 49, 700, 249}, {300, 451, 700, 651}};
  for (const Rect& rect : stickingOut) {
    EXPECT_EQ(CentreInViewport(rect, false, origin, 800, 600), centred);
  }
  EXPECT_EQ(CentreInViewport({100, 50, 500, 250}, true, origin, 800, 600), centred);
}

TEST(CentreInViewportTest, LargerThanTheViewportStartsOnItsEdge) {
  const Point origin{224, 168};
  EXPECT_EQ(CentreInViewport({0, 0, 1000, 100}, false, origin, 800, 600),
            (Rect{224, 418, 1224, 518}));
  EXPECT_EQ(CentreInViewport({0, 0, 100, 700}, false, origin, 800, 600),
            (Rect{574, 168, 674, 868}));
}

TEST(CentreInViewportTest, AnEmptyViewportPutsTheCornerAtTheOrigin) {
  EXPECT_EQ(CentreInViewport({10, 20, 310, 220}, false, {40, 30}, 0, 0), (Rect{40, 30, 340, 230}));
  EXPECT_EQ(CentreInViewport({10, 20, 310, 220}, false, {0, 0}, 0, 0), (Rect{0, 0, 300, 200}));
}

// The card's ports, with every CRT controller index a read selected noted in order.
class RecordingPorts : public PortIo {
 public:
  explicit RecordingPorts(PortIo& card) : card_(card) {}
  std::uint8_t In(std::uint16_t port) override {
    if (port == 0x3D5) reads.push_back(index_);
    return card_.In(port);
  }
  void Out(std::uint16_t port, std::uint8_t value) override {
    if (port == 0x3D4) index_ = value;
    card_.Out(port, value);
  }
  std::vector<int> reads;

 private:
  PortIo& card_;
  std::uint8_t index_ = 0;
};

std::pair<int, int> XY(Point point) {
  return {point.x, point.y};
}

class ViewportOriginTest : public testing::Test {
 protected:
  void PowerOn(machine::Chip chip, const machine::DisplayMode& mode) {
    mode_ = mode;
    card.PowerOn(chip, 2048);
    card.SetMode(mode, 60);
  }
  Point PanTo(std::uint32_t x, std::uint32_t y) {
    card.SetViewportOrigin(mode_, x, y);
    return latchwin::ReadViewportOrigin(card, static_cast<int>(mode_.bitsPerPixel));
  }

  machine::CardRegisters registers{};
  machine::Card card{registers, [] { return std::uint64_t{0}; }};
  machine::DisplayMode mode_{};
};

TEST_F(ViewportOriginTest, ReadsWherePanningPutTheViewport) {
  PowerOn(machine::Chip::Trio64, {1024, 768, 8});
  EXPECT_EQ(XY(PanTo(0, 0)), std::make_pair(0, 0));
  EXPECT_EQ(XY(PanTo(224, 168)), std::make_pair(224, 168));
  // The registers stay unlocked.
  EXPECT_EQ(registers.crtc[0x38], 0x48);
  EXPECT_EQ(registers.crtc[0x39], 0xA5);
}

TEST_F(ViewportOriginTest, HighStartBitsComeFromCr69OrFromCr31AndCr51) {
  // 1600 x 1200 at 16 bits: the lower rows start beyond 256 K double words.
  PowerOn(machine::Chip::Trio64VPlus, {1600, 1200, 16});
  EXPECT_EQ(XY(PanTo(160, 900)), std::make_pair(160, 900));
  EXPECT_NE(registers.crtc[0x69], 0);
  // A chip before the Vision964 has no CR69: the bits are in CR31 and CR51.
  PowerOn(machine::Chip::Other, {1600, 1200, 16});
  EXPECT_EQ(XY(PanTo(160, 900)), std::make_pair(160, 900));
  EXPECT_EQ(registers.crtc[0x69], 0);
}

TEST_F(ViewportOriginTest, EachLineWidthUnit) {
  PowerOn(machine::Chip::Trio64, {800, 600, 8});
  // CR13 = 100: 800 bytes a line in units of 8; start 200 double words = byte 800.
  ASSERT_EQ(registers.crtc[0x13], 100);
  registers.crtc[0x0C] = 0;
  registers.crtc[0x0D] = 200;
  struct Case {
    std::uint8_t cr31, cr14, cr17;
    int expectedY;
  };
  const Case cases[] = {{0x08, 0x00, 0x00, 1},   // CR31 bit 3: 8 bytes
                        {0x00, 0x40, 0x00, 1},   // CR14 bit 6: 8 bytes
                        {0x00, 0x00, 0x08, 2},   // CR17 bit 3: 4 bytes
                        {0x00, 0x00, 0x00, 4}};  // 2 bytes
  for (const Case& c : cases) {
    registers.crtc[0x31] = c.cr31;
    registers.crtc[0x14] = c.cr14;
    registers.crtc[0x17] = c.cr17;
    EXPECT_EQ(latchwin::ReadViewportOrigin(card, 8).y, c.expectedY) << int{c.cr31};
  }
}

TEST_F(ViewportOriginTest, ReadsTheRegistersInTheirOrder) {
  PowerOn(machine::Chip::Vision964, {1024, 768, 8});
  RecordingPorts ports(card);
  registers.crtc[0x31] = 0x00;
  registers.crtc[0x14] = 0x00;
  registers.crtc[0x51] = 0x00;
  latchwin::ReadViewportOrigin(ports, 8);
  EXPECT_EQ(ports.reads,
            (std::vector<int>{0x0C, 0x0D, 0x69, 0x31, 0x51, 0x31, 0x14, 0x17, 0x13, 0x51, 0x43}));

  PowerOn(machine::Chip::Trio64, {1600, 1200, 16});
  PanTo(0, 1000);
  ports.reads.clear();
  latchwin::ReadViewportOrigin(ports, 16);
  // CR69 holds the high bits and CR31 says 8 bytes; CR51 gives the line width's high bits.
  EXPECT_EQ(ports.reads, (std::vector<int>{0x0C, 0x0D, 0x69, 0x31, 0x13, 0x51}));
}

TEST_F(ViewportOriginTest, NoLineWidthOrNoDepthGivesTheOrigin) {
  PowerOn(machine::Chip::Trio64, {1024, 768, 8});
  PanTo(100, 100);
  EXPECT_EQ(XY(latchwin::ReadViewportOrigin(card, 0)), std::make_pair(0, 0));
  registers.crtc[0x13] = 0;
  registers.crtc[0x51] &= ~0x30;
  registers.crtc[0x43] = 0;
  EXPECT_EQ(XY(latchwin::ReadViewportOrigin(card, 8)), std::make_pair(0, 0));
}

TEST(HotKeyTest, ExactModifiersFirstKeyDownPanBeforeLaunch) {
  latchwin::SharedParameters parameters{};
  latchwin::SetParameter(parameters, 1, settings::kHotKeyCtrl | settings::kHotKeyAlt);
  latchwin::SetParameter(parameters, 2, 'V');
  latchwin::SetParameter(parameters, 3, settings::kHotKeyCtrl | settings::kHotKeyAlt);
  latchwin::SetParameter(parameters, 4, 'P');
  const std::uint32_t ctrlAlt = settings::kHotKeyCtrl | settings::kHotKeyAlt;
  EXPECT_EQ(latchwin::HotKeyCommand(parameters, 'P', ctrlAlt), names::kTogglePanLock);
  EXPECT_EQ(latchwin::HotKeyCommand(parameters, 'V', ctrlAlt), names::kLaunchVistrel);
  EXPECT_EQ(latchwin::HotKeyCommand(parameters, 'P', ctrlAlt | settings::kHotKeyShift), 0);
  EXPECT_EQ(latchwin::HotKeyCommand(parameters, 'P', settings::kHotKeyCtrl), 0);
  EXPECT_EQ(latchwin::HotKeyCommand(parameters, 'Q', ctrlAlt), 0);
  EXPECT_FALSE(latchwin::MayBeHotKey(parameters, 'Q'));

  // The same key for both: only the pan lock acts.
  latchwin::SetParameter(parameters, 2, 'P');
  EXPECT_EQ(latchwin::HotKeyCommand(parameters, 'P', ctrlAlt), names::kTogglePanLock);

  // Key 0 is no hot key, even with matching modifiers.
  latchwin::SetParameter(parameters, 4, 0);
  latchwin::SetParameter(parameters, 2, 0);
  EXPECT_EQ(latchwin::HotKeyCommand(parameters, 0, ctrlAlt), 0);
  EXPECT_FALSE(latchwin::MayBeHotKey(parameters, 0));

  // Repeats (bit 30) and releases (bit 31) pass; so does a negative code.
  EXPECT_TRUE(latchwin::IsFirstKeyDown(0, 0x00190001));
  EXPECT_FALSE(latchwin::IsFirstKeyDown(0, 0x40190001));
  EXPECT_FALSE(latchwin::IsFirstKeyDown(0, 0xC0190001));
  EXPECT_FALSE(latchwin::IsFirstKeyDown(-1, 0x00190001));
}

TEST(SetParameterTest, EachIndexItsFieldAndTheViewportAsTwoHalves) {
  latchwin::SharedParameters parameters{};
  latchwin::SetParameter(parameters, 6, 0x03000400);
  EXPECT_EQ(parameters.viewportWidth, 1024);
  EXPECT_EQ(parameters.viewportHeight, 768);
  latchwin::SetParameter(parameters, 6, 0xFFFFFFFF);
  EXPECT_EQ(parameters.viewportWidth, 65535);
  EXPECT_EQ(parameters.viewportHeight, 65535);

  latchwin::SetParameter(parameters, 0, 0x000200A4);
  EXPECT_EQ(parameters.commandWindow, latchwin::Handle{0x000200A4});
  latchwin::SetParameter(parameters, 5, 1);
  EXPECT_EQ(parameters.centreTopLevel, 1u);

  const latchwin::SharedParameters before = parameters;
  latchwin::SetParameter(parameters, 7, 99);
  latchwin::SetParameter(parameters, 0xFFFFFFFF, 99);
  EXPECT_EQ(std::memcmp(&before, &parameters, sizeof(parameters)), 0);
}

TEST(CaptionTest, DosBoxesAlwaysCentredWindowsAndTheDialogClass) {
  EXPECT_TRUE(latchwin::IsDosBox("MS-DOS Prompt"));
  EXPECT_TRUE(latchwin::IsDosBox("Command - MS-DOS"));
  // "MS-DOS" beyond the 18 characters read does not count.
  EXPECT_FALSE(latchwin::IsDosBox("A very long title MS-DOS"));
  EXPECT_FALSE(latchwin::IsDosBox("ms-dos prompt"));

  EXPECT_TRUE(latchwin::IsAlwaysCentred("marovane vistrel"));
  EXPECT_TRUE(latchwin::IsAlwaysCentred(names::kPanLockStatusCaption));
  EXPECT_FALSE(latchwin::IsAlwaysCentred("Marovane Vistrel "));

  EXPECT_TRUE(latchwin::IsDialogClass("#32770"));
  EXPECT_FALSE(latchwin::IsDialogClass("#32770 "));
  EXPECT_FALSE(latchwin::IsDialogClass("#3277"));
}

TEST(CallWndRetTest, OnlyTheTaskSwitchWindowBeingShownMatches) {
  latchwin::SharedParameters parameters{};
  parameters.taskSwitchWindow = 0x1234;
  EXPECT_TRUE(latchwin::ShowsTaskSwitchWindow(parameters, 0x1234, 0x0018));
  EXPECT_FALSE(latchwin::ShowsTaskSwitchWindow(parameters, 0x1234, 0x0005));
  EXPECT_FALSE(latchwin::ShowsTaskSwitchWindow(parameters, 0x1235, 0x0018));
}

TEST(SwitchHookTest, InstallsOnceRemovesOnceAndRetriesAFailure) {
  latchwin::Handle stored = 0;
  int installs = 0;
  std::vector<latchwin::Handle> removed;
  latchwin::Handle next = 0;
  const auto install = [&] {
    ++installs;
    return next;
  };
  const auto remove = [&](latchwin::Handle hook) { removed.push_back(hook); };

  latchwin::SwitchHook(stored, true, install, remove);  // fails: stays 0
  EXPECT_EQ(stored, 0u);
  next = 77;
  latchwin::SwitchHook(stored, true, install, remove);
  latchwin::SwitchHook(stored, true, install, remove);
  EXPECT_EQ(installs, 2);
  EXPECT_EQ(stored, 77u);
  latchwin::SwitchHook(stored, false, install, remove);
  latchwin::SwitchHook(stored, false, install, remove);
  EXPECT_EQ(removed, std::vector<latchwin::Handle>{77});
  EXPECT_EQ(stored, 0u);
}

}  // namespace
