#include <gtest/gtest.h>

#include "common/display/display_escape.h"
#include "common/display/timing_set.h"
#include "machine/core/card.h"
#include "machine/core/driver.h"
#include "machine/core/shared_state.h"
#include "vistrel/core/adapter_identification.h"

using machine::Card;
using machine::Chip;

namespace {

class CardTest : public testing::Test {
 protected:
  void SetUp() override {
    card.PowerOn(Chip::Trio64VPlus, 2048);
    card.SetMode({800, 600, 8}, 60);
  }
  std::uint8_t ReadCr(std::uint8_t index) {
    card.Out(0x3D4, index);
    return card.In(0x3D5);
  }
  void WriteCr(std::uint8_t index, std::uint8_t value) {
    card.Out(0x3D4, index);
    card.Out(0x3D5, value);
  }
  void Unlock() {
    WriteCr(0x38, 0x48);
    WriteCr(0x39, 0xA5);
  }

  machine::CardRegisters registers{};
  std::uint64_t now = 0;
  Card card{registers, [this] { return now; }};
};

TEST_F(CardTest, MiscOutputBitZeroChoosesTheCrtcPorts) {
  EXPECT_EQ(card.In(0x3CC) & 0x01, 0x01);
  WriteCr(0x13, 0x42);
  EXPECT_EQ(card.In(0x3B5), 0xFF);
  card.Out(0x3C2, card.In(0x3CC) & ~0x01);
  card.Out(0x3B4, 0x13);
  EXPECT_EQ(card.In(0x3B5), 0x42);
  EXPECT_EQ(card.In(0x3D5), 0xFF);
  card.Out(0x3D4, 0x13);
  card.Out(0x3D5, 0x00);
  EXPECT_EQ(card.In(0x3B5), 0x42);
}

TEST_F(CardTest, ExtendedRegistersIgnoreWritesUntilUnlocked) {
  WriteCr(0x38, 0x00);
  WriteCr(0x39, 0x00);
  const std::uint8_t cr35 = ReadCr(0x35);
  const std::uint8_t cr40 = ReadCr(0x40);
  WriteCr(0x35, 0x0F);
  WriteCr(0x40, 0x5A);
  EXPECT_EQ(ReadCr(0x35), cr35);
  EXPECT_EQ(ReadCr(0x40), cr40);

  WriteCr(0x38, 0x48);
  WriteCr(0x35, 0x0F);
  WriteCr(0x40, 0x5A);
  EXPECT_EQ(ReadCr(0x35), 0x0F);
  EXPECT_EQ(ReadCr(0x40), cr40);  // CR40 and above need CR39 as well

  WriteCr(0x39, 0xA5);
  WriteCr(0x40, 0x5A);
  EXPECT_EQ(ReadCr(0x40), 0x5A);
  // Identification stays as the chip made it.
  WriteCr(0x30, 0x00);
  WriteCr(0x36, 0x00);
  EXPECT_EQ(ReadCr(0x30), 0xE1);
  EXPECT_EQ(ReadCr(0x36), 4 << 5 | 0x1E);

  // The keys are tested through masks: CR38 AND 0xCC = 0x48, CR39 AND 0xE0 = 0xA0.
  WriteCr(0x38, 0x7B);
  WriteCr(0x39, 0xBF);
  WriteCr(0x35, 0x03);
  WriteCr(0x40, 0x11);
  EXPECT_EQ(ReadCr(0x35), 0x03);
  EXPECT_EQ(ReadCr(0x40), 0x11);
  WriteCr(0x38, 0x40);
  WriteCr(0x39, 0x85);
  WriteCr(0x35, 0x04);
  WriteCr(0x40, 0x22);
  EXPECT_EQ(ReadCr(0x35), 0x03);
  EXPECT_EQ(ReadCr(0x40), 0x11);
}

TEST_F(CardTest, Cr11BitSevenProtectsCr00ToCr07ButLineCompareBitEight) {
  ASSERT_TRUE(ReadCr(0x11) & 0x80);
  const std::uint8_t cr00 = ReadCr(0x00);
  const std::uint8_t cr07 = ReadCr(0x07);
  WriteCr(0x00, cr00 + 1);
  WriteCr(0x07, static_cast<std::uint8_t>(~cr07));
  EXPECT_EQ(ReadCr(0x00), cr00);
  EXPECT_EQ(ReadCr(0x07), (cr07 & ~0x10) | (~cr07 & 0x10));

  WriteCr(0x11, ReadCr(0x11) & 0x7F);
  WriteCr(0x00, cr00 + 1);
  EXPECT_EQ(ReadCr(0x00), cr00 + 1);
}

TEST_F(CardTest, AWordWrittenToTheIndexPortSetsIndexAndData) {
  card.OutWord(0x3D4, 0x4838);
  card.OutWord(0x3D4, 0xA539);
  EXPECT_EQ(ReadCr(0x38), 0x48);
  EXPECT_EQ(ReadCr(0x39), 0xA5);
  card.OutWord(0x3D4, 0x3C40);
  EXPECT_EQ(ReadCr(0x40), 0x3C);
}

TEST_F(CardTest, UnansweredPortsReadAllOnesAndTheEnhancedRegistersAnswerInEnhancedModeOnly) {
  for (std::uint16_t port : {0x216A, 0x2165, 0x1234, 0x3C0}) {
    card.Out(port, 0x15);
    EXPECT_EQ(card.In(port), 0xFF) << std::hex << port;
  }
  EXPECT_EQ(card.In(0x3C2), 0x10);  // Input Status 0

  // The mode set turned enhanced mode on. 0x92E8 holds 14 bits, the sign extended.
  card.Out(0x92E8, 0x15);
  EXPECT_EQ(card.In(0x92E8), 0x15);
  card.OutWord(0x92E8, 0xABCD);
  EXPECT_EQ(card.In(0x92E8), 0xCD);
  EXPECT_EQ(card.In(0x92E9), 0xEB);
  card.OutWord(0x92E8, 0x5BCD);
  EXPECT_EQ(card.In(0x92E9), 0x1B);

  Unlock();
  WriteCr(0x40, ReadCr(0x40) & ~0x01);
  card.OutWord(0x92E8, 0x0123);
  for (std::uint16_t port : {0x92E8, 0x92E9, 0x42E8}) {
    EXPECT_EQ(card.In(port), 0xFF) << std::hex << port;
  }
  WriteCr(0x40, ReadCr(0x40) | 0x01);
  EXPECT_EQ(card.In(0x92E8), 0xCD);  // the write while off was ignored
}

TEST_F(CardTest, TheVerticalRetraceRunsAtTheRefreshRateForAShortPartOfTheFrame) {
  // Sample one frame at 60 Hz every microsecond: one retrace, a realistic fraction long.
  int retraceMicros = 0;
  int rises = 0;
  bool previous = false;
  for (now = 0; now < 1000000 / 60; ++now) {
    const bool retrace = card.In(0x3DA) & 0x08;
    retraceMicros += retrace;
    rises += retrace && !previous;
    previous = retrace;
  }
  EXPECT_EQ(rises, 1);
  EXPECT_GT(retraceMicros, 40);
  EXPECT_LT(retraceMicros, 400);
  // Outside the retrace the display is sometimes enabled, sometimes blanked.
  int blanked = 0;
  for (now = 0; now < 1000; ++now) blanked += card.In(0x3DA) & 0x01;
  EXPECT_GT(blanked, 100);
  EXPECT_LT(blanked, 900);
}

TEST_F(CardTest, TheVerticalSyncIsLatchedAtTheEndOfTheDisplayUntilAProgramClearsIt) {
  // 800 x 600 at 60 Hz: 650 lines a frame, the display ends after line 600.
  const std::uint64_t frame = 1000000 / 60;
  const std::uint64_t displayEnd = frame * 600 / 650;
  now = displayEnd - 2;
  EXPECT_EQ(card.In(0x42E8), 0x00);
  now = displayEnd + 2;
  EXPECT_EQ(card.In(0x42E8), 0x01);
  now += 3 * frame;  // held, whatever the beam does meanwhile
  EXPECT_EQ(card.In(0x42E8), 0x01);
  card.Out(0x42E8, 0x02);  // other bits do not clear it
  EXPECT_EQ(card.In(0x42E8), 0x01);
  card.Out(0x42E8, 0x01);
  EXPECT_EQ(card.In(0x42E8), 0x00);
  now += frame - 4;  // just before the next display end
  EXPECT_EQ(card.In(0x42E8), 0x00);
  now += 6;
  EXPECT_EQ(card.In(0x42E8), 0x01);
}

TEST_F(CardTest, ARetraceEndEqualToItsStartRunsSixteenLines) {
  Unlock();
  WriteCr(0x11, static_cast<std::uint8_t>((ReadCr(0x11) & 0xF0) | (ReadCr(0x10) & 0x0F)));
  int retraceMicros = 0;
  for (now = 0; now < 1000000 / 60; ++now) retraceMicros += (card.In(0x3DA) & 0x08) != 0;
  // Sixteen of 650 lines of a 16.7 ms frame.
  EXPECT_NEAR(retraceMicros, 16 * 16667 / 650, 3);
}

TEST_F(CardTest, NoRefreshMeansNoRetraceEver) {
  card.SetMode({800, 600, 8}, 0);
  for (now = 0; now < 40000; now += 7) ASSERT_EQ(card.In(0x3DA) & 0x08, 0);
}

TEST_F(CardTest, LineOffsetAndStartAddressDescribeTheFrameBufferAndTheOrigin) {
  card.SetMode({1280, 1024, 16}, 60);
  Unlock();
  const int offset = ReadCr(0x13) | ((ReadCr(0x51) >> 4) & 0x03) << 8;
  EXPECT_TRUE(ReadCr(0x31) & 0x08);  // offset in units of 8 bytes
  EXPECT_EQ(offset * 8, 1280 * 2);
  card.SetViewportOrigin({1280, 1024, 16}, 320, 200);
  const std::uint32_t start = ReadCr(0x0C) << 8 | ReadCr(0x0D) | (ReadCr(0x69) & 0x1F) << 16;
  const std::uint32_t startLow = (ReadCr(0x31) & 0x30) << 12 | (ReadCr(0x51) & 0x03) << 18;
  EXPECT_EQ(start * 4, 200u * 2560 + 320 * 2);
  EXPECT_EQ(startLow, start & 0xF0000);
}

TEST(StartAddressTest, Cr69AndCr31WithCr51AreOneFieldOnEveryChipThatHasCr69) {
  for (Chip chip : {Chip::Trio32, Chip::Trio64, Chip::Trio64VPlus, Chip::Vision964, Chip::Vision968,
                    Chip::Other}) {
    machine::CardRegisters registers{};
    Card card(registers, [] { return 0; });
    card.PowerOn(chip, 2048);
    Crtc crtc(card, 0x3D4);
    crtc.Write(0x38, 0x48);
    crtc.Write(0x39, 0xA5);
    const bool hasCr69 = chip != Chip::Other;
    crtc.Write(0x31, 0x20);  // bits 16-17: 2
    crtc.Write(0x51, 0x03);  // bits 18-19: 3
    EXPECT_EQ(crtc.Read(0x69), hasCr69 ? 0x0E : 0x00) << machine::ChipName(chip);
    crtc.Write(0x69, 0x15);  // bits 16-20: overwrites what CR31 and CR51 set
    EXPECT_EQ(crtc.Read(0x31) & 0x30, hasCr69 ? 0x10 : 0x20) << machine::ChipName(chip);
    EXPECT_EQ(crtc.Read(0x51) & 0x03, hasCr69 ? 0x01 : 0x03) << machine::ChipName(chip);
    const machine::DisplayMode mode{1024, 768, 8};
    const std::uint32_t start = (hasCr69 ? 0x15u : 0x0Eu) << 16;
    const machine::PanPosition origin = card.ViewportOrigin(mode);
    EXPECT_EQ(origin.y * 1024 + origin.x, start * 4) << machine::ChipName(chip);
  }
}

struct ChipCase {
  Chip chip;
  int code;
};

TEST(IdentificationTest, EveryChipModelIsIdentified) {
  for (const ChipCase& c :
       {ChipCase{Chip::Trio32, 0}, ChipCase{Chip::Trio64, 1}, ChipCase{Chip::Trio64VPlus, 2},
        ChipCase{Chip::Vision964, 3}, ChipCase{Chip::Vision968, 4}, ChipCase{Chip::Other, 5}}) {
    machine::CardRegisters registers{};
    Card card(registers, [] { return 0; });
    card.PowerOn(c.chip, 1024);
    EXPECT_EQ(IdentifyChip(card), c.code) << machine::ChipName(c.chip);
  }
}

TEST(IdentificationTest, EveryMemorySizeIsIdentifiedAndTheLocksAreKept) {
  for (const auto& [kb, code] : {std::pair{512u, 0}, {1024u, 1}, {2048u, 2}, {4096u, 4}}) {
    machine::CardRegisters registers{};
    Card card(registers, [] { return 0; });
    card.PowerOn(Chip::Trio64, kb);
    registers.crtc[0x38] = 0x12;
    EXPECT_EQ(IdentifyMemory(card), code) << kb;
    EXPECT_EQ(registers.crtc[0x38], 0x12);
    EXPECT_EQ(registers.crtc[0x39], 0x00);
  }
}

TEST(IdentificationTest, TheMonoAddressedControllerIsAskedToo) {
  machine::CardRegisters registers{};
  Card card(registers, [] { return 0; });
  card.PowerOn(Chip::Vision968, 4096);
  card.Out(0x3C2, 0x66);
  EXPECT_EQ(IdentifyChip(card), 4);
  EXPECT_EQ(IdentifyMemory(card), 4);
}

class DriverTest : public CardTest {
 protected:
  int Escape(const std::vector<std::uint8_t>& block) {
    return machine::HandleDisplayEscape(escapes, card, block.data(), block.size());
  }
  machine::EscapeBlock escapes{};
};

TEST_F(DriverTest, PanLockIsKeptAndCounted) {
  EXPECT_EQ(Escape(escape::PanLockBlock(true)), 1);
  EXPECT_EQ(escapes.panLocked, 1u);
  EXPECT_EQ(Escape(escape::PanLockBlock(false)), 1);
  EXPECT_EQ(escapes.panLocked, 0u);
  EXPECT_EQ(escapes.panLockCount, 2u);
}

TEST_F(DriverTest, TimingValuesAreKeptAndTheChangedOnesApplied) {
  Crtc crtc(card.DriverPorts(), 0x3D4);
  const int verticalTotal = ReadTimingField(crtc, kVerticalTotal);
  const std::uint8_t cr05 = ReadCr(0x05);
  std::array<std::uint16_t, kTimingFieldCount> values;
  values.fill(kTimingUnchanged);
  values[kHorizontalTotal] = 0x105;
  values[kEndHorizontalRetrace] = 0xE3;
  values[kVerticalRetraceStart] = 0x7F0;
  values[kMiscOutput] = 0x2F;
  EXPECT_EQ(Escape(escape::TimingBlock(values)), 1);

  EXPECT_EQ(escapes.timingCount, 1u);
  EXPECT_EQ(escapes.timing[kHorizontalTotal], 0x105);
  EXPECT_EQ(escapes.timing[kVerticalTotal], kTimingUnchanged);
  EXPECT_EQ(ReadCr(0x00), 0x05);
  EXPECT_EQ(ReadCr(0x5D) & 0x01, 0x01);
  EXPECT_EQ(ReadCr(0x05), (cr05 & 0xE0) | 0x03);  // only the retrace end bits
  EXPECT_EQ(ReadTimingField(crtc, kVerticalRetraceStart), 0x7F0);
  EXPECT_EQ(ReadCr(0x10), 0xF0);
  EXPECT_EQ(ReadCr(0x07) & 0x84, 0x84);
  EXPECT_EQ(ReadCr(0x5E) & 0x10, 0x10);
  EXPECT_EQ(ReadTimingField(crtc, kVerticalTotal), verticalTotal);
  EXPECT_EQ(card.In(0x3CC), 0x2F);
}

TEST_F(DriverTest, ShortBlocksAndOtherFunctionsAreNotTakenButCounted) {
  std::vector<std::uint8_t> shortTiming = escape::TimingBlock({});
  shortTiming.resize(10);
  EXPECT_EQ(Escape(shortTiming), 0);
  EXPECT_EQ(Escape({3, 0, 1, 0}), 0);
  EXPECT_EQ(Escape({1}), 0);
  EXPECT_EQ(machine::HandleDisplayEscape(escapes, card, nullptr, 4), 0);
  EXPECT_EQ(escapes.count, 4u);
  EXPECT_EQ(escapes.timingCount + escapes.panLockCount, 0u);
}

TEST(DriverRatesTest, RefreshCodesMeanTheRatesOfTheirLabels) {
  EXPECT_EQ(machine::RefreshHz(Chip::Trio64, 800, 3), 75u);
  EXPECT_EQ(machine::RefreshHz(Chip::Trio64, 640, 0), 60u);
  EXPECT_EQ(machine::RefreshHz(Chip::Trio64, 1024, 0), 87u);  // interlaced fields
  EXPECT_EQ(machine::RefreshHz(Chip::Vision968, 1024, 0), 60u);
  EXPECT_EQ(machine::RefreshHz(Chip::Vision964, 1600, 4), 76u);
  EXPECT_EQ(machine::RefreshHz(Chip::Trio64, 800, -1), 60u);
  EXPECT_EQ(machine::RefreshHz(Chip::Trio64, 640, 3), 60u);
  EXPECT_EQ(machine::RefreshHz(Chip::Trio64, 1152, 2), 60u);
}

TEST(DriverHistoryTest, TheLastEightModeChangesAreKeptOldestFirst) {
  machine::ModeHistory history{};
  for (std::uint32_t i = 0; i < 11; ++i) {
    machine::RecordModeChange(history, {{640 + i, 480, 8}, i, 0});
  }
  const auto recent = machine::RecentModeChanges(history);
  ASSERT_EQ(recent.size(), 8u);
  EXPECT_EQ(recent.front().mode.width, 643u);
  EXPECT_EQ(recent.back().flags, 10u);
}

TEST(DriverModeChangeTest, ASuccessfulChangeSetsTheCardAtTheStoredRate) {
  machine::SharedState state{};
  machine::Boot(state, machine::MachineConfig{}, -1);
  EXPECT_EQ(state.card.registers.refreshHz, 60u);
  EXPECT_EQ(machine::ApplyModeChange(state, {1024, 768, 8}, 1, 3),
            machine::ChangeResult::Successful);
  EXPECT_EQ(state.card.registers.refreshHz, 75u);
  EXPECT_EQ(state.card.registers.crtc[0x13], 1024 / 8);
  EXPECT_EQ(machine::ApplyModeChange(state, {1024, 768, 16}, 1, 1), machine::ChangeResult::Restart);
  EXPECT_EQ(state.card.registers.refreshHz, 75u);
  const auto recent = machine::RecentModeChanges(state.history);
  ASSERT_EQ(recent.size(), 2u);
  EXPECT_EQ(recent[1].result, 1);
  EXPECT_EQ(recent[1].mode.bitsPerPixel, 16u);
}

}  // namespace

TEST(PanningTest, TheStartAddressSaysWhereTheViewportIs) {
  for (Chip chip : {Chip::Trio64, Chip::Vision964}) {
    machine::CardRegisters registers{};
    Card card(registers, nullptr);
    card.PowerOn(chip, 2048);
    const machine::DisplayMode mode{1600, 1200, 16};
    card.SetMode(mode, 60);
    card.SetViewportOrigin(mode, 800, 1000);
    EXPECT_EQ(card.ViewportOrigin(mode), (machine::PanPosition{800, 1000}));
  }
}

TEST(PanningTest, ThePointerPushesTheViewportAlongWithinTheDesktop) {
  const machine::DisplayMode desktop{1024, 768, 8};
  auto follow = [&](machine::PanPosition origin, int x, int y) {
    return machine::FollowPointer(origin, 800, 600, desktop, x, y);
  };
  // Inside: nothing moves.
  EXPECT_EQ(follow({100, 100}, 500, 400), (machine::PanPosition{100, 100}));
  // Beyond the right and bottom edges: the edge follows to the pointer.
  EXPECT_EQ(follow({0, 0}, 850, 650), (machine::PanPosition{51, 51}));
  // Beyond the left and top edges.
  EXPECT_EQ(follow({200, 150}, 120, 30), (machine::PanPosition{120, 30}));
  // Never off the desktop, whatever the pointer says.
  EXPECT_EQ(follow({0, 0}, 5000, 5000), (machine::PanPosition{224, 168}));
  EXPECT_EQ(follow({100, 100}, -50, -50), (machine::PanPosition{0, 0}));
  // A viewport as large as the desktop does not pan.
  EXPECT_EQ(machine::FollowPointer({0, 0}, 1024, 768, desktop, 1000, 700),
            (machine::PanPosition{0, 0}));
}
